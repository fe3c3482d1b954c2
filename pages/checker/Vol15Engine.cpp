#include "pages/checker/Vol15Engine.h"

#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/FolderStructSize.h"
#include "core/ListPresence.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "core/WalkRule.h"
#include "platform/Beneath.h"
#include "pages/ListedFolders.h"
#include "pages/PageMessages.h"
#include "pages/RunCounters.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"

using namespace pagekit;

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
constexpr int kTemplateIndex = 5;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A structure line as a model folder: trimmed, without trailing
// backslashes (a drive root keeps its one).
std::string ModelEntryText(const std::string& line) {
    std::string e = TrimControlAndBlanks(line);
    while (e.size() > 1 && IsSeparator(e.back()) && !(e.size() == 3 && e[1] == ':')) e.pop_back();
    return e;
}

std::string LastNameOf(const std::string& path) {
    const std::size_t pos = path.find_last_of("\\/:");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

// The folder names of a relative path as the creating pages make them:
// empty names skipped, each other name byte for byte.
StringList FolderNames(const std::string& path) {
    StringList names;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t j = i;
        while (j < path.size() && !IsSeparator(path[j])) ++j;
        if (j > i) names.push_back(path.substr(i, j - i));
        i = j + 1;
    }
    return names;
}

// ---- a model in memory -----------------------------------------------------------------

// The entries a project folder is expected to hold, below the project
// folder (node 0). A name is looked up by its parent, its kind and its
// exact bytes: a link stands for neither a file nor a folder of its name.
class Model {
public:
    struct Node {
        std::string name;
        std::string rel;  // below the project folder, "\" between names
        std::uint32_t parent = kNone;
        plat::EntryKind kind = plat::EntryKind::Folder;
        bool expected = true;  // reported when missing (a template's parents are not)
        bool unknown = false;  // a model folder that could not be read: nothing below is judged
        std::vector<std::uint32_t> children;
        bool Folder() const { return kind == plat::EntryKind::Folder; }
    };

    Model() { nodes_.emplace_back(); }

    const Node& At(std::uint32_t n) const { return nodes_[n]; }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(nodes_.size()); }

    // Workers of a run look up one finished model at once.
    std::uint32_t Find(std::uint32_t parent, plat::EntryKind kind, std::string_view name) const {
        thread_local std::string key;
        SetKey(key, parent, kind, name);
        const auto it = index_.find(key);
        return it == index_.end() ? kNone : it->second;
    }

    // The node of that name and kind below `parent`, made when missing.
    std::uint32_t Add(std::uint32_t parent, plat::EntryKind kind, const std::string& name, bool expected) {
        SetKey(key_, parent, kind, name);
        const auto [it, made] = index_.try_emplace(key_, Size());
        if (!made) {
            nodes_[it->second].expected = nodes_[it->second].expected || expected;
            return it->second;
        }
        Node node;
        node.name = name;
        node.rel = nodes_[parent].rel.empty() ? name : nodes_[parent].rel + "\\" + name;
        node.parent = parent;
        node.kind = kind;
        node.expected = expected;
        nodes_.push_back(std::move(node));
        nodes_[parent].children.push_back(it->second);
        return it->second;
    }
    void SetUnknown(std::uint32_t n) { nodes_[n].unknown = true; }

    // The order in which missing entries are reported: level by level, in
    // each folder its files (links and other entries with them) before its
    // subfolders. Also counts what one project is compared with.
    void Finish() {
        order_.clear();
        folders_ = files_ = 0;
        std::deque<std::uint32_t> queue{0};
        while (!queue.empty()) {
            const std::uint32_t n = queue.front();
            queue.pop_front();
            for (const bool folders : {false, true}) {
                for (const std::uint32_t c : nodes_[n].children) {
                    if (nodes_[c].Folder() != folders) continue;
                    order_.push_back(c);
                    if (nodes_[c].expected) ++(folders ? folders_ : files_);
                    if (folders) queue.push_back(c);
                }
            }
        }
    }
    const std::vector<std::uint32_t>& Order() const { return order_; }
    std::uint32_t Folders() const { return folders_; }
    std::uint32_t Files() const { return files_; }

private:
    static void SetKey(std::string& key, std::uint32_t parent, plat::EntryKind kind, std::string_view name) {
        key.assign(reinterpret_cast<const char*>(&parent), sizeof parent);
        key.push_back(static_cast<char>('0' + static_cast<int>(kind)));
        key.append(name);
    }

    std::vector<Node> nodes_;
    std::unordered_map<std::string, std::uint32_t> index_;
    std::string key_;
    std::vector<std::uint32_t> order_;
    std::uint32_t folders_ = 0, files_ = 0;
};

// Which nodes of a model one project holds, a worker's own: a new
// generation per project, so nothing is cleared between projects.
class Marks {
public:
    void NextProject(const Model& model) {
        if (&model != model_ || stamps_.size() != model.Size()) {
            model_ = &model;
            stamps_.assign(model.Size(), 0);
            generation_ = 0;
        }
        if (++generation_ == 0) {
            stamps_.assign(stamps_.size(), 0);
            generation_ = 1;
        }
        stamps_[0] = generation_;
    }
    void Mark(std::uint32_t n) { stamps_[n] = generation_; }
    bool Marked(std::uint32_t n) const { return stamps_[n] == generation_; }
    // The node and everything below it: not to be reported.
    void MarkSubtree(std::uint32_t n) {
        std::vector<std::uint32_t> stack{n};
        while (!stack.empty()) {
            const std::uint32_t m = stack.back();
            stack.pop_back();
            Mark(m);
            stack.insert(stack.end(), model_->At(m).children.begin(), model_->At(m).children.end());
        }
    }

private:
    const Model* model_ = nullptr;
    std::vector<std::uint32_t> stamps_;
    std::uint32_t generation_ = 0;
};

// One model folder as read from the disk, once per run.
struct SourceItem {
    std::uint32_t parent = kNone;  // an earlier item, or kNone below the model folder itself
    std::string name;
    plat::EntryKind kind = plat::EntryKind::Folder;
    bool unknown = false;
};
struct Source {
    std::string entry;  // the structure line, trimmed
    std::string name;   // its last name; empty for a drive root
    bool usable = false;
    bool rootUnknown = false;
    std::vector<SourceItem> items;  // parents before their entries
};

struct ExtraEntry {
    std::uint32_t destination;
    bool folder;
    std::string rel;
};

// A box a project's check shows; `line` >= 0: a template line's refusal,
// shown once per run.
struct ProjectBox {
    std::string text, caption;
    unsigned flags;
    int line;
};

// What the check of one project found, kept on a worker until the window
// thread applies it in the order of the projects.
struct ProjectOutcome {
    ItemLog Lines;
    Vol15Counters Counters;  // what this project adds
    StringList OtherReasons;
    std::vector<ProjectBox> Boxes;
    bool Compared = false;          // the project was compared: its extras get its index
    std::vector<ExtraEntry> Extra;  // destination unset until applied
};

// What each worker keeps from one project to the next.
struct CheckWorker {
    std::vector<plat::DirEntry> entries, unsayable;
    Marks marks;
    Model templateModel;
};

}  // namespace

// ---- counters -----------------------------------------------------------------------------

std::array<double, 11> Vol15Counters::Values() const {
    return {Stat15FoldersToCheck, Stat15SubFoldersToCheck, Stat15FilesToCheck, Stat15FoldersMissing,
            Stat15SubFoldersMissing, Stat15FilesMissing, Stat15FoldersExtra, Stat15SubFoldersExtra,
            Stat15FilesExtra, Stat15FoldersNotExists, Stat15SubFoldersOtherReasons};
}

std::array<CounterLabel, 11> Vol15Counters::Labels() const {
    static constexpr const char* kNames[] = {
        "lblStat15FoldersToCheck",   "lblStat15SubFoldersToCheck", "lblStat15FilesToCheck",
        "lblStat15FoldersMissing",   "lblStat15SubFoldersMissing", "lblStat15FilesMissing",
        "lblStat15FoldersExtra",     "lblStat15SubFoldersExtra",   "lblStat15FilesExtra",
        "lblStat15FoldersNotExists", "lblStat15SubFoldersOtherReasons"};
    const auto values = Values();
    std::array<CounterLabel, 11> labels;
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = {kNames[i], values[i]};
    return labels;
}

void Vol15ResetResultCounters(Vol15State& state) {
    Vol15Counters& c = state.Counters;
    c.Stat15FoldersMissing = c.Stat15SubFoldersMissing = c.Stat15FilesMissing = 0;
    c.Stat15FoldersExtra = c.Stat15SubFoldersExtra = c.Stat15FilesExtra = 0;
    c.Stat15FoldersNotExists = c.Stat15SubFoldersOtherReasons = 0;
}

void Vol15ResetCounters(Vol15State& state) {
    state.Counters.Stat15FoldersToCheck = state.Counters.Stat15SubFoldersToCheck = 0;
    state.Counters.Stat15FilesToCheck = 0;
    Vol15ResetResultCounters(state);
}

StringList Vol15Destinations(const StringList& includeFolders) {
    StringList destinations;
    ListPresence held;
    StringList accepted, refused;
    for (const std::string& text : FoldersAsRead(includeFolders, false)) {
        if (!ValidateEntryList(text, accepted, refused)) continue;  // dropped without a word
        std::string d = accepted.front();
        while (d.size() > 3 && IsSeparator(d.back())) d.pop_back();
        if (held.Insert(d)) destinations.push_back(std::move(d));
    }
    return destinations;
}

// ---- the checker --------------------------------------------------------------------------

struct Vol15Checker::Impl {
    const Vol15Inputs& in;
    Vol15State& state;
    Vol15Counters& c;
    RunLog& log;
    StringList destinations;
    StringList masks;
    bool allFiles = false;  // a mask that takes every name

    std::vector<Source> sources;
    StringList problems;  // model folders that could not be read, model entries no path names
    std::map<std::string, Model> models;  // by the sources left out ("0" kept, "1" left out)
    int templateMode = 1;
    std::string searchTerm;
    std::vector<bool> templateRefusalShown;
    Model templateModel;

    std::vector<std::string> checked;  // the project folders checked, in order
    std::vector<ExtraEntry> extra;
    std::mutex modelsLock;

    Impl(const Vol15Inputs& inputs, Vol15State& s, RunLog& l)
        : in(inputs), state(s), c(s.Counters), log(l), destinations(Vol15Destinations(inputs.IncludeFolders)) {
        if (in.WithFiles()) {
            for (const std::string& mask : GetFileSelNameMasks()) {
                masks.push_back(ToLowerCase(mask));
                if (masks.back() == "*" || masks.back() == "*.*") allFiles = true;
            }
        }
    }

    void Changed() { log.CountersChanged(c); }

    bool Masked(const std::string& name) const {
        if (allFiles) return true;
        for (const std::string& mask : masks)
            if (MatchesSearchPattern(mask, name)) return true;
        return false;
    }

    // A folder always; any other entry with files, when the masks take it.
    bool Judged(const plat::DirEntry& e) const {
        return e.kind == plat::EntryKind::Folder || (in.WithFiles() && Masked(e.name));
    }

    // ---- recording ----
    // Before the projects straight to the log; a project's into its outcome.
    void RecordOther(const std::string& text, ProjectOutcome* out = nullptr) {
        if (out) {
            out->Counters.Stat15SubFoldersOtherReasons += 1.0;
            out->OtherReasons.push_back(text);
            out->Lines.AddLine(Vol15SubFoldersOtherReasons, text);
            return;
        }
        c.Stat15SubFoldersOtherReasons += 1.0;
        Changed();
        state.OtherReasonsList.push_back(text);
        log.AddLine(Vol15SubFoldersOtherReasons, text);
    }

    // ---- reading the models ----
    // One model folder, on a worker: its items, and into `unread` the
    // folders that could not be read and the entries no path names, in
    // walk order.
    void ReadSource(Source& s, StringList& unread) const {
        plat::Beneath base;
        if (TrimControlAndBlanks(GetDrivePart(s.entry)).empty() || base.Open(s.entry) != plat::FsResult::Ok) {
            unread.push_back(s.entry);
            return;
        }
        s.usable = true;
        std::vector<plat::DirEntry> entries, unsayable;
        std::deque<std::pair<std::string, std::uint32_t>> queue{{s.entry, kNone}};
        while (!queue.empty()) {
            auto [folder, item] = std::move(queue.front());
            queue.pop_front();
            if (!base.ListKinds(folder, entries, &unsayable)) {
                unread.push_back(NotListedName(folder, base.WhyNotListed(folder)));
                (item == kNone ? s.rootUnknown : s.items[item].unknown) = true;
                continue;
            }
            for (const plat::DirEntry& e : unsayable)
                if (Judged(e)) unread.push_back(JoinFolderAndName(folder, e.name));
            for (const plat::DirEntry& e : entries) {
                // Links and special files are entries as in a project, never entered.
                const bool isFolder = e.kind == plat::EntryKind::Folder;
                if (!Judged(e)) continue;
                s.items.push_back({item, e.name, e.kind, false});
                const auto index = static_cast<std::uint32_t>(s.items.size() - 1);
                if (isFolder) queue.emplace_back(JoinFolderAndName(folder, e.name), index);
            }
        }
    }

    // Each model folder is read on the run pool (they only read, so all
    // overlap, and the window paints meanwhile), kept in list order.
    bool ReadModels(bool report) {
        bool done = true;
        if (in.FullPaths) {
            StringList lines;
            for (const std::string& line : in.FolderStructures) {
                std::string entry = ModelEntryText(line);
                if (!entry.empty()) lines.push_back(std::move(entry));
            }
            std::vector<Source> read(lines.size());
            std::vector<StringList> unread(lines.size());
            done = ReadOnPool(lines, [&](std::size_t i) {
                Source& s = read[i];
                s.entry = lines[i];
                s.name = IsDriveRootPath(s.entry) ? std::string() : LastNameOf(s.entry);
                ReadSource(s, unread[i]);
            });
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (read[i].entry.empty()) continue;  // never read: the pool failed before it
                for (std::string& p : unread[i]) problems.push_back(std::move(p));
                sources.push_back(std::move(read[i]));
            }
        } else if (in.RelativePaths) {
            templateMode = GetFolderTemplateMode(kTemplateIndex, searchTerm);
            templateRefusalShown.assign(in.FolderStructures.size(), false);
        }
        if (report)
            for (const std::string& p : problems) RecordOther(p);
        return done;
    }

    // The models of every source not left out for this project, as one;
    // made by the first worker that needs it, read by all.
    Model& ModelWithout(const std::string& leftOut) {
        const std::lock_guard<std::mutex> lock(modelsLock);
        auto [it, made] = models.try_emplace(leftOut);
        Model& m = it->second;
        if (!made) return m;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const Source& s = sources[i];
            if (!s.usable || leftOut[i] == '1') continue;
            std::uint32_t top = 0;
            if (!in.SubFoldersOnly() && !s.name.empty()) top = m.Add(0, plat::EntryKind::Folder, s.name, true);
            if (s.rootUnknown) m.SetUnknown(top);
            std::vector<std::uint32_t> nodeOf(s.items.size());
            for (std::size_t k = 0; k < s.items.size(); ++k) {
                const SourceItem& item = s.items[k];
                const std::uint32_t parent = item.parent == kNone ? top : nodeOf[item.parent];
                nodeOf[k] = m.Add(parent, item.kind, item.name, true);
                if (item.unknown) m.SetUnknown(nodeOf[k]);
            }
        }
        m.Finish();
        return m;
    }

    // The template lines as folders below one project folder, into `m`.
    // With `out`, lines that give no folder are listed as not checked and a
    // refused line is to be shown (once per run).
    Model& TemplateModelFor(const std::string& d, Model& m, ProjectOutcome* out) {
        m = Model();
        std::string message;
        for (std::size_t i = 0; i < in.FolderStructures.size(); ++i) {
            const std::string& line = in.FolderStructures[i];
            if (HasDotFolderName(line)) {  // never leaves the project folder
                if (out) RecordOther(line, out);
                continue;
            }
            if (CheckDestinationNotSource(d, line, message)) {
                if (out)
                    out->Boxes.push_back(
                        {message, MessageCaption(kVol15Topic, "Warning", 150074), kWarn, static_cast<int>(i)});
                continue;
            }
            const std::string path = ExpandTemplatePath(line, d, templateMode, searchTerm);
            const StringList names = FolderNames(path);
            if (names.empty() || !GetDrivePart(path).empty() || HasDotFolderName(path)) {
                if (out) RecordOther(line, out);
                continue;
            }
            std::uint32_t node = 0;
            for (std::size_t k = 0; k < names.size(); ++k)
                node = m.Add(node, plat::EntryKind::Folder, names[k], k + 1 == names.size());
        }
        m.Finish();
        return m;
    }

    // The model one project is compared with; null when no model is left
    // to compare with (then nothing of the project is missing or extra).
    Model* ModelFor(const std::string& d, CheckWorker& w, ProjectOutcome* out) {
        if (in.FullPaths) {
            std::string leftOut(sources.size(), '0');
            std::string message;
            std::size_t used = 0;
            for (std::size_t i = 0; i < sources.size(); ++i) {
                if (!sources[i].usable) continue;
                if (!CheckDestinationNotSource(d, sources[i].entry, message)) {
                    ++used;
                    continue;
                }
                leftOut[i] = '1';
                if (out)
                    out->Boxes.push_back({message, MessageCaption(kVol15CheckTopic, "Information", 150073), kInfo, -1});
            }
            return used ? &ModelWithout(leftOut) : nullptr;
        }
        if (in.RelativePaths) {
            Model& m = TemplateModelFor(d, w.templateModel, out);
            return m.Size() > 1 ? &m : nullptr;
        }
        return nullptr;
    }

    // ---- one project ----
    // The work of one project on a worker: only its outcome and the
    // worker's own state change.
    void Check(const std::string& d, ProjectOutcome& out, CheckWorker& w) {
        plat::Beneath base;
        if (TrimControlAndBlanks(GetDrivePart(d)).empty() || base.Open(d) != plat::FsResult::Ok) {
            out.Counters.Stat15FoldersNotExists += 1.0;
            out.Lines.AddLine(Vol15FoldersNotExists, d);
            return;
        }
        Model* model = ModelFor(d, w, &out);
        if (!model) return;
        out.Compared = true;
        Marks& marks = w.marks;
        marks.NextProject(*model);
        std::vector<plat::DirEntry>& entries = w.entries;
        std::vector<plat::DirEntry>& unsayable = w.unsayable;
        Vol15Counters& oc = out.Counters;

        struct Folder {
            std::string rel;
            std::uint32_t node;  // kNone: a folder the model does not hold
        };
        std::deque<Folder> queue{{std::string(), 0}};
        std::string path;
        while (!queue.empty()) {
            Folder f = std::move(queue.front());
            queue.pop_front();
            if (f.node != kNone && model->At(f.node).unknown) {
                marks.MarkSubtree(f.node);
                continue;
            }
            path = f.rel.empty() ? d : JoinFolderAndName(d, f.rel);
            if (!base.ListKinds(path, entries, &unsayable)) {
                // Not read is not empty: nothing in it is missing or extra.
                RecordOther(NotListedName(path, base.WhyNotListed(path)), &out);
                if (f.node != kNone) marks.MarkSubtree(f.node);
                continue;
            }
            // No path names these: neither missing nor extra, but said.
            for (const plat::DirEntry& e : unsayable)
                if (Judged(e)) RecordOther(JoinFolderAndName(path, e.name), &out);
            for (const plat::DirEntry& e : entries) {
                const bool isFolder = e.kind == plat::EntryKind::Folder;
                if (!Judged(e)) continue;
                std::string rel = f.rel.empty() ? e.name : f.rel + "\\" + e.name;
                const std::uint32_t child = f.node == kNone ? kNone : model->Find(f.node, e.kind, e.name);
                if (child != kNone)
                    marks.Mark(child);
                else
                    out.Extra.push_back({0, isFolder, rel});
                if (isFolder) queue.push_back({std::move(rel), child});
            }
        }
        base.Close();

        bool listed = false;
        for (const std::uint32_t n : model->Order()) {
            const Model::Node& node = model->At(n);
            if (!node.expected || marks.Marked(n)) continue;
            if (!listed) {
                listed = true;
                oc.Stat15FoldersMissing += 1.0;
                out.Lines.AddLine(Vol15FoldersMissing, d);
            }
            const std::string x = JoinFolderAndName(d, node.rel);
            const Vol15Category category = node.Folder() ? Vol15SubFoldersMissing : Vol15FilesMissing;
            (node.Folder() ? oc.Stat15SubFoldersMissing : oc.Stat15FilesMissing) += 1.0;
            out.Lines.AddLine(category, x + " is Missing from " + d);
            out.Lines.AddExportLine(category, d + "," + x);
        }
    }

    // What one project found, on the window thread in the order of the
    // projects: its boxes, its lines and counters, and its extra entries
    // kept for the EXTRA pass. Leaves the outcome empty.
    void Apply(const std::string& d, ProjectOutcome& out, const RunMessageFn& show) {
        state.EngineCurrentFolder15 = d;
        for (const ProjectBox& box : out.Boxes) {
            if (box.line >= 0) {
                if (templateRefusalShown[box.line]) continue;
                templateRefusalShown[box.line] = true;
            }
            show(box.text, box.caption, box.flags);
        }
        out.Boxes.clear();
        out.Lines.ReplayInto(log);
        AddCounters(c, out.Counters);
        out.Counters = {};
        for (std::string& other : out.OtherReasons) state.OtherReasonsList.push_back(std::move(other));
        out.OtherReasons.clear();
        if (out.Compared) {
            const auto index = static_cast<std::uint32_t>(checked.size());
            checked.push_back(d);
            for (ExtraEntry& e : out.Extra) {
                e.destination = index;
                extra.push_back(std::move(e));
            }
        }
        out.Compared = false;
        out.Extra.clear();
        Changed();  // lets the window paint now and then, findings or not
    }

    // Every project on the run pool: each reads its own project folder
    // only, so all of them overlap; results come in the projects' order.
    RunPoolResult CheckProjects() {
        const unsigned workers = destinations.empty() ? 1 : PageRunWorkers(destinations.front(), plat::RunWork::Look);
        std::vector<CheckWorker> own(workers);
        PooledRun<ProjectOutcome> run;
        run.Items = destinations.size();
        run.Workers = workers;
        run.Scope = [&](std::size_t i, RunScope& scope) { scope.Read(destinations[i]); };
        run.Work = [&](std::size_t i, ProjectOutcome& out, RunItemContext& item) {
            Check(destinations[i], out, own[item.Worker()]);
        };
        run.Apply = [&](std::size_t i, ProjectOutcome& out, RunApplyContext& apply) {
            Apply(destinations[i], out, [&apply](const std::string& text, const std::string& caption, unsigned flags) {
                return apply.Show(text, caption, flags);
            });
        };
        run.Stream = StreamLines(&ProjectOutcome::Lines, &ProjectOutcome::Counters, log, c);
        run.Name = [&](std::size_t i) { return destinations[i]; };
        return RunPageItems(run);
    }

    void WriteExtra() {
        std::uint32_t listed = kNone;
        for (const ExtraEntry& e : extra) {
            const std::string& d = checked[e.destination];
            if (e.destination != listed) {
                listed = e.destination;
                c.Stat15FoldersExtra += 1.0;
                log.AddLine(Vol15FoldersExtra, d);
            }
            (e.folder ? c.Stat15SubFoldersExtra : c.Stat15FilesExtra) += 1.0;
            Changed();
            log.AddLine(e.folder ? Vol15SubFoldersExtra : Vol15FilesExtra, JoinFolderAndName(d, e.rel));
        }
        extra.clear();
        extra.shrink_to_fit();
    }

    Model* CountingModel() {
        if (in.FullPaths) return &ModelWithout(std::string(sources.size(), '0'));
        if (in.RelativePaths && !destinations.empty())
            return &TemplateModelFor(destinations.front(), templateModel, nullptr);
        return nullptr;
    }
};

Vol15Checker::Vol15Checker(const Vol15Inputs& in, Vol15State& state, RunLog& log)
    : impl_(std::make_unique<Impl>(in, state, log)) {}

Vol15Checker::~Vol15Checker() = default;

bool Vol15Checker::ReadModels(bool report) { return impl_->ReadModels(report); }

std::uint32_t Vol15Checker::ModelFolders() const {
    const Model* m = impl_->CountingModel();
    return m ? m->Folders() : 0;
}

std::uint32_t Vol15Checker::ModelFiles() const {
    const Model* m = impl_->CountingModel();
    return m ? m->Files() : 0;
}

RunPoolResult Vol15Checker::CheckProjects() { return impl_->CheckProjects(); }

void Vol15Checker::WriteExtra() { impl_->WriteExtra(); }

const StringList& Vol15Checker::Destinations() const { return impl_->destinations; }

// ---- the pre-count ----------------------------------------------------------------------------

namespace {

void SetToCheck(Vol15State& state, const Vol15Checker& checker, bool countFiles) {
    const double projects = static_cast<double>(checker.Destinations().size());
    state.Vol15StructureFolders = checker.ModelFolders();
    state.Vol15StructureFiles = countFiles ? checker.ModelFiles() : 0;
    state.Counters.Stat15FoldersToCheck = projects;
    state.Counters.Stat15SubFoldersToCheck = projects * state.Vol15StructureFolders;
    state.Counters.Stat15FilesToCheck = projects * state.Vol15StructureFiles;
}

}  // namespace

void Vol15CountItemsToCheck(Vol15State& state, const Vol15Inputs& in, bool countFiles) {
    SilentLog silent;
    Vol15State scratch;
    Vol15Checker checker(in, scratch, silent);
    {
        const CountingBusy counting;
        if (!checker.ReadModels(false)) return;
    }
    SetToCheck(state, checker, countFiles);
}

// ---- the run ------------------------------------------------------------------------------------

void Vol15CheckProjectsConsistency(Vol15State& state, const Vol15Inputs& in, RunLog& log, const RunHooks& hooks) {
    Vol15Checker checker(in, state, log);
    const PageMessage includeEmpty{
        "The Include list is empty !!!\nYou must enter at least one Folder to Check folders.",
        MessageCaption(kVol15CheckTopic, "Warning", 150076, "           ")};
    // The EXTRA pass follows a MISSING pass that the user confirmed.
    RunFrame extra;
    extra.FreshLog = false;
    extra.Start = [&state] { state.CheckerPassFlag = 2; };
    extra.Counters = CountersOf(state.Counters);
    extra.ShowLog = in.ShowDetailedResults;
    extra.IncludeEmpty = in.IncludeFolders.empty();
    extra.IncludeEmptyMessage = includeEmpty;
    extra.Work = [&checker](RunDisk&) { checker.WriteExtra(); };
    extra.End = {"End of the Checking Projects Consistency. !!!",
                 MessageCaption(kVol15CheckTopic, "Information", 150052)};
    extra.Finish = [&state] { state.CheckerPassFlag = 0; };

    RunFrame missing;
    missing.Check = [&in, &hooks] {
        return CheckStructuresListed(!in.FolderStructures.empty(), MessageCaption(kVol15CheckTopic, "Warning", 150071),
                                     hooks);
    };
    missing.Questions = {{in.WithFiles() ? "Do you want to Check Folders and/or Files ?\n\nNote: If the <Select "
                                           "Files> button is active, only the Selected Files will be Checked.\n\n"
                                         : "Do you want to check Folder Structures ?\n\nNote: Folders will be "
                                           "checking Without Files.\n\n",
                          MessageCaption(kVol15CheckTopic, "Information", 150048)}};
    missing.Start = [&state] {
        state.CheckerPassFlag = 1;
        state.OtherReasonsList.clear();
        Vol15ResetResultCounters(state);
    };
    missing.Counters = CountersOf(state.Counters);
    missing.ShowLog = in.ShowDetailedResults;
    missing.IncludeEmpty = in.IncludeFolders.empty();
    missing.IncludeEmptyMessage = includeEmpty;
    missing.Work = [&state, &in, &log, &checker](RunDisk&) {
        if (!checker.ReadModels(true)) return;  // the frame says why
        SetToCheck(state, checker, in.WithFiles());
        log.ShowCounters(state.Counters.Labels());
        checker.CheckProjects();
    };
    missing.NextPass = &extra;
    RunOnFrame(missing, log, hooks);
    state.EngineCurrentFolder15.clear();
}

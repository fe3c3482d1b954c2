#include "pages/creation/Vol02Engine.h"

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/creation/Vol02Internal.h"
#include "platform/MessageBox.h"

// ---- the creator -----------------------------------------------------------------------

namespace {

CreationProfile Vol02Profile(bool simulation) {
    CreationProfile p;
    p.TemplateIndex = 2;
    p.StructureRefusedCaption = simulation ? MessageCaption(kVol02SimulateFolderListTopic, "Warning", 20073)
                                           : MessageCaption(kVol02Topic, "Warning", 20051);
    p.TemplateRefusedCaption = simulation ? MessageCaption(kVol02FolderListTopic, "Warning", 20074)
                                          : MessageCaption(kVol02Topic, "Warning", 20052);
    const char* topic = simulation ? kVol02SimulateTopic : kVol02Topic;
    p.SizeMissingCopiedCaption = MessageCaption(topic, "Warning", simulation ? 20077 : 20060);
    p.SizeMissingNotCopiedCaption = MessageCaption(topic, "Warning", simulation ? 20078 : 20061);
    return p;
}

}  // namespace

Vol02Creator::Vol02Creator(const Vol02Inputs& in, Vol02State& state, RunLog& log, RunDisk& disk)
    : in_(in), profile_(Vol02Profile(disk.IsDry())), parts_(GetNameParts(in)),
      destination_(TrimControlAndBlanks(in.DestFolder)), creator_(profile_, in, state, log, disk) {
    creator_.UseDestination(destination_);
}

std::string Vol02MainPath(const _tagVol0XParts& parts, const std::string& item) {
    if (!TrimControlAndBlanks(GetDrivePart(item)).empty()) return std::string();
    std::string path = CollapseDoubleColons(CollapseDoubleBackslashes(
        SlashesToBackslashes(parts.Part[0] + item + parts.Part[2] + parts.Part[3])));
    while (path.size() > 3 && path.back() == '\\') path.pop_back();  // "x\" names the folder x
    return path;
}

std::vector<CreationItem> Vol02Items(const Vol02Inputs& in) {
    const _tagVol0XParts parts = GetNameParts(in);
    std::vector<CreationItem> items;
    items.reserve(in.IncludeStrings.size());
    for (const std::string& item : in.IncludeStrings) {
        std::string path = Vol02MainPath(parts, item);
        const bool makes = !path.empty();
        items.push_back({std::move(path), makes});
    }
    return items;
}

// One item per Include item: its main folder with everything attached.
void Vol02Creator::CreateAll() {
    const StringList& items = in_.IncludeStrings;
    creator_.RunItems(
        items.size(), creator_.Workers(destination_),
        [&](std::size_t i, RunScope& scope) {
            const std::string path = Vol02MainPath(parts_, items[i]);
            if (!path.empty()) creator_.ScopeMain(destination_, path, scope);
        },
        [&](std::size_t i, FolderCreator& creator) {
            const std::string path = Vol02MainPath(parts_, items[i]);
            if (path.empty())
                creator.RecordItemOther(items[i], OtherTotals::AllUnlessNothing);
            else
                creator.CreateMain(path);
        });
}

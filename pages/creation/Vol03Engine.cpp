#include "pages/creation/Vol03Engine.h"

#include <charconv>
#include <limits>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/Validation.h"

// ---- numbers -------------------------------------------------------------------------

bool Vol03ParseNumber(const std::string& text, std::int32_t& value) {
    const std::string t = TrimControlAndBlanks(text);
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) ++i;
    if (i == t.size()) return false;
    std::int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

int Vol03Numbers::Digits() const { return static_cast<int>(std::to_string(End).size()); }

Vol03Numbers Vol03ReadNumbers(const std::string& startText, const std::string& endText) {
    Vol03Numbers numbers;
    std::int32_t value = 1;
    numbers.StartValid = Vol03ParseNumber(startText, value);
    numbers.Start = numbers.StartValid ? value : 1;
    numbers.EndValid = Vol03ParseNumber(endText, value);
    numbers.End = numbers.EndValid ? value : numbers.Start;
    return numbers;
}

namespace {

// Vol03NumberText appended to `out`, without a text of its own.
void AppendNumberText(std::string& out, std::int64_t number, bool padded, int digits) {
    char buf[24];
    const bool negative = number < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    const auto end = std::to_chars(buf, buf + sizeof buf, magnitude).ptr;
    const int length = static_cast<int>(end - buf);
    if (negative) out += '-';
    const int width = negative ? digits - 1 : digits;
    if (padded && length < width) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(buf, end);
}

}  // namespace

std::string Vol03NumberText(std::int64_t number, bool padded, int digits) {
    std::string text;
    AppendNumberText(text, number, padded, digits);
    return text;
}


// ---- the creator -----------------------------------------------------------------------

namespace {

CreationProfile Vol03Profile(bool simulation) {
    CreationProfile p;
    p.TemplateIndex = 3;
    p.StructureRefusedCaption = simulation ? MessageCaption(kVol03SimulateTopic, "Warning", 30052, kVol03Tabs)
                                           : MessageCaption(kVol03Topic, "Warning", 30032, kVol03Tabs);
    p.TemplateRefusedCaption = simulation ? MessageCaption("Creating Folder(s).- Increased Numbers.", "Warning", 30053)
                                          : MessageCaption("Creating Folder(s).-From a Folder List.", "Warning", 30033);
    const char* topic = simulation ? kVol03SimulateTopic : kVol03Topic;
    p.SizeMissingCopiedCaption = MessageCaption(topic, "Warning", simulation ? 30056 : 30041);
    p.SizeMissingNotCopiedCaption = MessageCaption(topic, "Warning", simulation ? 30057 : 30042);
    return p;
}

}  // namespace

Vol03Creator::Vol03Creator(const Vol03Inputs& in, const Vol03Numbers& numbers, Vol03State& state, RunLog& log,
                           RunDisk& disk)
    : in_(in), numbers_(numbers), digits_(numbers.Digits()), profile_(Vol03Profile(disk.IsDry())),
      parts_(GetNameParts(in)), creator_(profile_, in, state, log, disk) {
    destination_ = TrimControlAndBlanks(in.DestFolder);
    creator_.UseDestination(destination_);
    forbidden_ = Forbidden(parts_);
}

bool Vol03Creator::Forbidden(const _tagVol0XParts& parts) {
    // The number between the parts is digits and a sign only.
    std::string found;
    return FindIllegalChars("N", parts.Part[0] + parts.Part[2] + parts.Part[3], found);
}

void Vol03Creator::MainPath(const _tagVol0XParts& parts, bool padded, int digits, std::int64_t number,
                            std::string& path, std::size_t& at, std::size_t& length) {
    path.assign(parts.Part[0]);
    at = path.size();
    AppendNumberText(path, number, padded, digits);
    length = path.size() - at;
    path.append(parts.Part[2]).append(parts.Part[3]);
}

NumberedItems Vol03Items(const Vol03Inputs& in, const Vol03Numbers& numbers) {
    const _tagVol0XParts parts = GetNameParts(in);
    NumberedItems items;  // the parts around the number, as MainPath joins them
    items.before = parts.Part[0];
    items.after = parts.Part[2] + parts.Part[3];
    items.first = numbers.Start;
    items.count = numbers.End < numbers.Start ? 0 : static_cast<std::size_t>(numbers.Count());
    items.makes = !Vol03Creator::Forbidden(parts);
    items.text = [padded = in.PaddedZeroes, digits = numbers.Digits()](std::int64_t number) {
        return Vol03NumberText(number, padded, digits);
    };
    return items;
}

// One item per number (64 bits: an end of 2147483647 ends): its main
// folder with everything attached.
void Vol03Creator::CreateAll() {
    const auto count = static_cast<std::size_t>(numbers_.End < numbers_.Start ? 0 : numbers_.Count());
    creator_.RunItems(
        count, creator_.Workers(destination_),
        [&](std::size_t i, RunScope& scope) {
            std::string path;
            std::size_t at = 0, length = 0;
            MainPath(parts_, in_.PaddedZeroes, digits_, numbers_.Start + static_cast<std::int64_t>(i), path, at, length);
            if (forbidden_)
                scope.Read(path);  // only looked at
            else
                creator_.ScopeMain(destination_, path, scope);
        },
        [&](std::size_t i, FolderCreator& creator) {
            std::string path;
            std::size_t at = 0, length = 0;
            MainPath(parts_, in_.PaddedZeroes, digits_, numbers_.Start + static_cast<std::int64_t>(i), path, at, length);
            if (forbidden_)  // a character no folder path may hold
                creator.RefuseMain(path, OtherTotals::ByAttachMode);
            else if (in_.AddIncNumbersAsSuffix)
                creator.CreateMain(path, path.substr(at, length), in_.Prefix);
            else
                creator.CreateMain(path);
        });
}

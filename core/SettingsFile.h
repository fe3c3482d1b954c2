// The settings file: the settings store as a sequence of fixed-size binary
// records (default.set in the program folder, or a profile under a name the
// user chose). No header, no count; the end record (id 900) closes it.
//
// Record layout, 5320 bytes, little-endian, unused bytes zero:
//      0   4  id
//      4  10  keyword (zero-terminated when shorter than 10; else its first 10)
//     14 260  value text, zero-terminated (at most 259 bytes)
//    274 5002 search term, zero-terminated (template records)
//   5276   4  number
//   5308   4  template index
//   5312   4  ReplaceNo, ReplaceRemainder, ReplaceFirst, ReplaceAll
#pragma once

#include <array>
#include <cstddef>
#include <fstream>
#include <memory>
#include <string>

namespace plat {
class AtomicFileWriter;
}

inline constexpr std::size_t kSettingsRecordSize = 5320;
inline constexpr int kSettingsEndRecordId = 900;

// The name with its blanks trimmed; an empty name means default.set in the
// program folder.
std::string SettingsFileName(const std::string& fileName);

// True when the file opens, its size is a whole, non-zero number of records
// and it holds an end record. Open/Restore Profile reads nothing that fails.
bool IsSettingsFile(const std::string& fileName);

// While set, default.set is left as it is: saves under the empty name
// write nothing and say nothing (another copy of the program holds its
// folder, or the file can be neither read nor set aside). Set at every start.
void SetKeepDefaultSettingsFile(bool keep);
bool KeepDefaultSettingsFile();

// Writes the whole store. The file is replaced whole or not at all: the
// records go to a temporary file beside it, which is renamed over it at the
// end. A failure keeps the old file and shows "Msg no: 0130.".
class SaveClass {
public:
    // Shows the failure message when the file cannot be opened.
    explicit SaveClass(const std::string& fileName);
    ~SaveClass();
    SaveClass(const SaveClass&) = delete;
    SaveClass& operator=(const SaveClass&) = delete;

    bool IsOpen() const;
    // False when nothing was saved (with the message, unless default.set is
    // kept). A text too long for its field is left out, never cut, and
    // reported in one warning.
    bool Save();
    const std::string& GetFileName() const { return FileName; }

private:
    std::string FileName;
    std::unique_ptr<plat::AtomicFileWriter> Out;
};

// Reads a settings file into the store. Callers call ClearLists before
// Restore, whether or not the file opened.
class RestoreClass {
public:
    explicit RestoreClass(const std::string& fileName);
    RestoreClass(const RestoreClass&) = delete;
    RestoreClass& operator=(const RestoreClass&) = delete;

    bool IsOpen() const { return ok == 1; }
    // IsSettingsFile on this reader's file.
    bool IsSettingsFile();
    // Empties every list the file holds and the template map; numbers and
    // texts keep their values.
    void ClearLists();
    // Applies every whole record, in file order; a partial last record is
    // dropped, unknown ids are skipped.
    void Restore();
    const std::string& GetFileName() const { return FileName; }

    int ok = 0;

private:
    std::string FileName;
    std::ifstream In;
    std::array<char, kSettingsRecordSize> Record{};
    std::unique_ptr<char[]> StreamBuffer;
};

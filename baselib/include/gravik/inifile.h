// libGravik - ini files, read and written a whole file at a time.
//
// A file in memory is a vector of records in file order: a section header
// record (empty key) followed by the key records of that section, then the
// next header, and so on. Keys before the first header have an empty section.
// Every function is static and keeps no state; the forms taking a file name
// load it, work on its records and, when they change something, save it.
// Comparisons of sections and keys are exact and case-sensitive.
//
// Reading: each line is trimmed (space, tab, CR, LF) and empty lines skipped.
//   "#..." or ";..."  pending comment (kept with its line feed)
//   "[name]..."       header of section `name` (text up to the first "]")
//   "key = value"     key record (both trimmed), in the current section
//   anything else     a record with all four fields empty (read back as the
//                     header of a section with an empty name, "[]"), unless
//                     comments are pending: then the line is dropped.
// Pending comments go with the next record; those left at the end are
// dropped. A "[" line without "]" makes the whole file unreadable: Load
// returns false and leaves the vector as it was (so no file form saves a
// partial copy over it).
//
// Writing: a blank line before every header but the first, each record's
// comments as stored, then "key=value" or "[section]", each line ended by a
// line feed.
//
// Texts that could not be read back as written are refused by the functions
// that store them (vector unchanged, file forms false): any CR or LF in a
// section, key or value; a "]" in a section; an empty key, a key with "=", or
// one starting with "#", ";" or "[".
//
// Not locked: two threads or processes changing one file at once overwrite
// each other's changes.
#ifndef GRAVIK_INIFILE_H
#define GRAVIK_INIFILE_H

#include <gravik/export.h>

#include <string>
#include <vector>

class GRAVIK_API CIniFile {
public:
    struct Record {
        std::string Comments;  // comment lines before the record, each ending in "\n"
        std::string Section;
        std::string Key;    // empty for a header
        std::string Value;  // empty for a header
    };
    using Records = std::vector<Record>;

    CIniFile();
    virtual ~CIniFile();

    // False (vector untouched) when the file cannot be opened or is malformed.
    static bool Load(const std::string& file, Records& records);
    // False when the file cannot be created or not everything was written.
    static bool Save(const std::string& file, Records& records);
    static bool Create(const std::string& file);  // an empty file

    // The text of the records, without blank lines between sections; "" when
    // the file cannot be loaded.
    static std::string Content(Records& records);
    static std::string Content(const std::string& file);

    static std::vector<std::string> GetSectionNames(Records& records);
    static std::vector<std::string> GetSectionNames(const std::string& file);
    static Records GetSections(Records& records);  // the header records
    static Records GetSections(const std::string& file);
    // The key records of the section, in order.
    static Records GetSection(const std::string& section, Records& records);
    static Records GetSection(const std::string& section, const std::string& file);
    // Whether any record, header or key, has the section.
    static bool SectionExists(const std::string& section, Records& records);
    static bool SectionExists(const std::string& section, const std::string& file);
    static bool RecordExists(const std::string& key, const std::string& section, Records& records);
    static bool RecordExists(const std::string& key, const std::string& section,
                             const std::string& file);
    // The first matching record, or an empty vector.
    static Records GetRecord(const std::string& key, const std::string& section, Records& records);
    static Records GetRecord(const std::string& key, const std::string& section,
                             const std::string& file);
    // The value, or defaultValue ("" when null) when there is none.
    static std::string GetValue(const std::string& key, const std::string& section,
                                Records& records, const char* defaultValue = nullptr);
    static std::string GetValue(const std::string& key, const std::string& section,
                                const std::string& file, const char* defaultValue = nullptr);

    // A section not present at all gets a header and the key at the end; an
    // existing key gets the new value (comments kept); otherwise the key is
    // inserted at the end of the block that starts at the section's first
    // record.
    static void SetValue(const std::string& key, const std::string& value,
                         const std::string& section, Records& records);
    static bool SetValue(const std::string& key, const std::string& value,
                         const std::string& section, const std::string& file);
    // Appends a header when no record has the section.
    static void AddSection(const std::string& section, Records& records);
    static bool AddSection(const std::string& section, const std::string& file);
    // Renames the section of every record (headers and keys) that has it.
    static void RenameSection(const std::string& oldName, const std::string& newName,
                              Records& records);
    static bool RenameSection(const std::string& oldName, const std::string& newName,
                              const std::string& file);
    // Erases the first matching record; false when there is none (and then
    // the file form does not save).
    static bool DeleteRecord(const std::string& key, const std::string& section, Records& records);
    static bool DeleteRecord(const std::string& key, const std::string& section,
                             const std::string& file);
    // Erases every record, header or key, of the section.
    static void DeleteSection(const std::string& section, Records& records);
    static bool DeleteSection(const std::string& section, const std::string& file);
    // Comments are stored as given, with a line feed added when the text has
    // two or more characters and does not end in one; each line should start
    // with "#" or ";" to read back as a comment.
    static bool SetSectionComments(const std::string& comments, const std::string& section,
                                   Records& records);  // every header of the section; true
    static bool SetSectionComments(const std::string& comments, const std::string& section,
                                   const std::string& file);
    static bool SetRecordComments(const std::string& comments, const std::string& key,
                                  const std::string& section, Records& records);
    static bool SetRecordComments(const std::string& comments, const std::string& key,
                                  const std::string& section, const std::string& file);

    // Rewrites the file with its sections ordered by name (byte-wise; a prefix
    // first when ascending) and the keys of each section ordered by key, in
    // the same direction. Keys ahead of the first header stay first; several
    // headers of one name stay together, followed by the section's keys once.
    // False when the file cannot be loaded or has no header, else as Save.
    static bool Sort(const std::string& file, bool descending);
};

#endif  // GRAVIK_INIFILE_H

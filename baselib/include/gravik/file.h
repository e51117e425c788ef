// libGravik - files and folders.
//
// CMyFile is a file object: a folder ("path"), a file name and an open file
// stream, with static helpers for files and folders. Folders are separated by
// "/". Names are byte strings passed to the system as they are.
//
// Sizes: the path and the name hold up to kMaxName - 1 (255) bytes each; a
// longer text is refused (the object keeps what it had and a message goes to
// standard error). GetFullName writes at most kMaxFullName (512) bytes,
// terminator included.
//
// Open modes are bit sets of the standard stream modes: in 0x01, out 0x02,
// ate 0x04, app 0x08, trunc 0x10, binary 0x20 (0x2A: out, append, binary).
//
// Stream operations return false at once when no file is open, and the read
// operations also when the end of the file was already reached. When the
// stream fails during an operation its state is cleared (the end-of-file flag
// stays set until a seek or a write) and the result is false; a read that
// stops at the end of the file with fewer bytes than asked therefore returns
// false and reports the bytes it did read.
//
// No locking: a CMyFile object belongs to one thread at a time; the static
// helpers may be called from any thread.
#ifndef GRAVIK_FILE_H
#define GRAVIK_FILE_H

#include <gravik/export.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

class GRAVIK_API CMyFile {
public:
    static constexpr int kMaxName = 256;
    static constexpr int kMaxFullName = 2 * kMaxName;

    enum OpenMode : int {
        kIn = 0x01, kOut = 0x02, kAte = 0x04, kApp = 0x08, kTrunc = 0x10, kBinary = 0x20
    };

    // ---- files and folders ----
    static bool FileIsExist(const char* path);  // exists and is not a folder
    static bool DirIsExist(const char* path);   // exists and is a folder
    // Creates the folder and any missing parents; nothing for null, "" or an
    // existing folder.
    static void MakeDirectory(const char* path);
    // Size of an existing file (not a folder); the 32-bit form keeps the low
    // 32 bits. False when it cannot be opened for reading.
    static bool GetFileSize(const char* path, unsigned int& size);
    static bool GetFileSize64(const char* path, int64_t& size);
    // Truncates or extends an existing file (extension reads as zeros). False
    // when it does not exist, cannot be opened for writing, or size < 0.
    static bool SetFileSize(const char* path, unsigned int size);
    static bool SetFileSize64(const char* path, int64_t size);
    // Opens the file, creating it when needed. With fill, writes zeros from
    // its start in blocks of 4096 up to the size (a longer file keeps its
    // tail) and is true only when all were written; without fill, sets the end
    // of the file at the size.
    static bool CreateCertainSizeFile(const char* path, unsigned int size, bool fill);
    static bool CreateCertainSizeFile64(const char* path, int64_t size, bool fill);
    // Appends to `out` (not cleared) "dir/name" of every entry of dir whose
    // name matches the wildcard pattern ("*" any run, "?" one character,
    // case-sensitive; "*.*" matches every name, dotted or not). A matching
    // folder is searched in turn when `recursive` (so "*.log" does not enter a
    // folder whose name does not match); a matching file is listed. Hidden
    // entries (names starting with ".") only with includeHidden. Symbolic
    // links to folders are listed neither as files nor searched (no loops).
    static void FindAllFiles(const char* dir, const char* pattern, std::vector<std::string>& out,
                             bool recursive, bool includeHidden);
    // Cut at the last "/" or "\" (in place), or the text unchanged.
    static char* ExtractFileDir(char* path);
    // The text after the last "/" or "\", or the text itself.
    static char* ExtractFileName(char* path);
    // The same results copied into out (which must hold strlen(path) + 1).
    static void ExtractFileDir(char* path, char* out);
    static void ExtractFileName(char* path, char* out);
    // Both files open, same size, same bytes.
    static bool IsSameContent(const char* a, const char* b);
    // Copies `from` over `to` (replaced). True only when everything was read
    // and written; false when either cannot be opened or both name the same
    // file (which is then left as it was).
    static bool BackUpFile(const char* from, const char* to);
    static bool RemoveFile(const char* path);
    // Renames; fails (false) when `to` already exists, so nothing is replaced.
    static bool ChangeFileName(const char* from, const char* to);
    // Total size and the space free for the caller of the file system that
    // holds `path` (its nearest existing folder when it does not exist), in
    // MiB, truncated and limited to 4294967295. False on failure.
    static bool QueryDiskSpaceMB(const char* path, unsigned int& totalMB, unsigned int& freeMB);

    // ---- the file object ----
    CMyFile();
    explicit CMyFile(const char* fullName);  // as SetFullName
    virtual ~CMyFile();                      // closes the file
    CMyFile(const CMyFile&) = delete;
    CMyFile& operator=(const CMyFile&) = delete;

    virtual void SetFileName(const char* name);
    virtual void GetFileName(char* out);  // out: kMaxName bytes
    // Splits at the last "/": the folder becomes the path, the rest the name;
    // without "/" the path is empty and the whole text the name.
    virtual void SetFullName(const char* fullName);
    // "path/name", or the name alone when the path is empty. out: kMaxFullName.
    virtual void GetFullName(char* out);
    // A non-empty path is stored without a trailing "/" and the folder is
    // created; "" (or null) stores the folder of the running executable.
    void SetFilePath(const char* path);
    void GetFilePath(char* out);  // out: kMaxName bytes

    // OpenInit, then opens "path/name" with the mode, creating the folder.
    // Whether the file is open.
    bool OpenFile(int mode);
    bool IsFileOpen();
    void CloseFile();
    bool Eof();
    void Flush();

    bool GetFileReadPtrPos(unsigned int& pos);
    bool GetFileWritePtrPos(unsigned int& pos);
    bool SetFileReadPtrPos(unsigned int pos);
    bool SetFileWritePtrPos(unsigned int pos);
    bool MoveReadPtrFromCur(int offset);
    bool MoveWritePtrFromCur(int offset);
    // Size of the open file (position kept); when closed, opens it for
    // reading, measures it and closes it again.
    bool GetFileSize(unsigned int& size);
    bool GetFileSize64(int64_t& size);
    bool ReadFromFile(unsigned char* buffer, unsigned int size, unsigned int& read);
    // One line of up to size - 1 bytes, terminated; the line feed is consumed
    // and not stored. `read` counts the bytes taken from the file (line feed
    // included). A longer line fills the buffer and returns false; the rest of
    // it is read by the next call.
    bool GetLineFromFile(char* buffer, unsigned int size, unsigned int& read);
    bool GetLineFromFile(std::string& line);
    bool WriteToFile(const unsigned char* data, unsigned int size);

protected:
    // Closes an open file; an empty name becomes "tempfile~".
    virtual void OpenInit();
    // Stores the name without the checks of SetFileName's callers.
    bool StoreName(const char* name);

    char m_szPath[kMaxName];
    char m_szName[kMaxName];
    std::fstream m_file;
};

#endif  // GRAVIK_FILE_H

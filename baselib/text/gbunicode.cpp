// GB <-> big-endian UCS-2 conversion with a code table read from a file.
#include <gravik/charset.h>
#include <gravik/exceptions.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr long kHeaderBytes = 91;

void FreeList(WordInfo* head)
{
    while (head) {
        WordInfo* next = head->next;
        delete head;
        head = next;
    }
}

const WordInfo* FindByCode(const WordInfo* p, const char* key)
{
    for (; p; p = p->next)
        if (std::strncmp(p->gbCode, key, 3) == 0) return p;
    return nullptr;
}

const WordInfo* FindByValue(const WordInfo* p, unsigned short value)
{
    for (; p; p = p->next)
        if (p->unicode == value) return p;
    return nullptr;
}

}  // namespace

CGbUnicode::CGbUnicode() { std::strcpy(m_szTableFile, "GbUnicode.dat"); }

CGbUnicode::CGbUnicode(char* tableFile)
{
    if (!SetTableFile(tableFile)) m_szTableFile[0] = '\0';
}

CGbUnicode::CGbUnicode(const CGbUnicode& other) = default;

CGbUnicode& CGbUnicode::operator=(const CGbUnicode& other) = default;

CGbUnicode::~CGbUnicode() { DestructMap(); }

bool CGbUnicode::SetTableFile(const char* tableFile)
{
    if (!tableFile) return false;
    const std::size_t len = std::strlen(tableFile);
    if (len > 255) return false;
    std::memcpy(m_szTableFile, tableFile, len + 1);
    return true;
}

void CGbUnicode::Initialize() { EnsureLoaded(); }

void CGbUnicode::EnsureLoaded()
{
    if (m_nInit) return;
    DestructMap();
    WordInfo* head = nullptr;
    try {
        CreateMapLink(&head);
    } catch (...) {
        // A partial list stays owned (and is freed) but the table does not
        // count as loaded, so the next call tries again.
        m_owner.reset(head, FreeList);
        m_pMapLink = head;
        throw;
    }
    m_owner.reset(head, FreeList);
    m_pMapLink = head;
    m_nInit = 1;
}

void CGbUnicode::CreateMapLink(WordInfo** head)
{
    std::FILE* f = std::fopen(m_szTableFile, "rb");
    if (!f) throw CGbUnicodeException(std::string("Open data file failed"));
    WordInfo* tail = nullptr;
    unsigned char rec[4];
    if (std::fseek(f, kHeaderBytes, SEEK_SET) == 0) {
        while (std::fread(rec, 1, sizeof rec, f) == sizeof rec) {
            WordInfo* entry = new (std::nothrow) WordInfo;
            if (!entry) {
                std::fclose(f);
                // The entries read so far stay with the caller's list.
                throw CGbUnicodeException(std::string("malloc memory failed"));
            }
            entry->gbCode[0] = static_cast<char>(rec[0]);
            entry->gbCode[1] = static_cast<char>(rec[1]);
            entry->unicode = static_cast<unsigned short>((rec[2] << 8) | rec[3]);
            if (tail)
                tail->next = entry;
            else
                *head = entry;
            tail = entry;
        }
    }
    std::fclose(f);
}

bool CGbUnicode::DestructMap()
{
    const bool had = m_pMapLink != nullptr;
    m_owner.reset();
    m_pMapLink = nullptr;
    m_nInit = 0;
    return had;
}

bool CGbUnicode::CheckDataCode(unsigned char* text)
{
    if (!text || *text == 0) return false;
    for (; *text; ++text)
        if (*text > 0x79) return true;
    return false;
}

int CGbUnicode::GbToBigEndianUnicode(unsigned short* out, const unsigned char* gb)
{
    if (!out || !gb) return 0;
    EnsureLoaded();
    auto* dst = reinterpret_cast<unsigned char*>(out);
    int written = 0;
    while (*gb) {
        char key[3] = {static_cast<char>(gb[0]), 0, 0};
        std::size_t step = 1;
        if (gb[0] >= 0x80 && gb[1] != 0) {
            key[1] = static_cast<char>(gb[1]);
            step = 2;
        }
        if (const WordInfo* e = FindByCode(m_pMapLink, key)) {
            dst[written++] = static_cast<unsigned char>(e->unicode >> 8);
            dst[written++] = static_cast<unsigned char>(e->unicode & 0xFF);
        }
        gb += step;
    }
    return written;
}

int CGbUnicode::BigEndianUnicodeToGb(char* out, const unsigned short* in, int bytes)
{
    if (!out || !in || bytes <= 0) return 0;
    EnsureLoaded();
    const auto* src = reinterpret_cast<const unsigned char*>(in);
    int written = 0;
    for (int i = 0; i < bytes; i += 2) {
        const unsigned char lo = i + 1 < bytes ? src[i + 1] : 0;
        const auto value = static_cast<unsigned short>((src[i] << 8) | lo);
        if (const WordInfo* e = FindByValue(m_pMapLink, value)) {
            // Advance by the code's own length, so that a table mapping a value
            // to a code of the other length neither leaves a zero inside the
            // text nor overwrites its second byte.
            const std::size_t len = strnlen(e->gbCode, 2);
            std::memcpy(out + written, e->gbCode, len);
            written += static_cast<int>(len);
            out[written] = '\0';
        }
    }
    return written;
}

void CGbUnicode::ChangeEndian(char* buffer, int length)
{
    if (!buffer) return;
    for (int i = 0; i + 1 < length; i += 2) {
        const char t = buffer[i];
        buffer[i] = buffer[i + 1];
        buffer[i + 1] = t;
    }
}

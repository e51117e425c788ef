// Test helper: runs the openssl command line as an independent reference.
// Tests that use it skip with a message when openssl (or one of its
// algorithms, such as the legacy provider's DES and RC4) is not available.
#ifndef GRAVIK_TESTS_OPENSSL_CLI_H
#define GRAVIK_TESTS_OPENSSL_CLI_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace testutil {

using Bytes = std::vector<unsigned char>;

inline bool OpensslAvailable()
{
    static const bool available = std::system("openssl version >/dev/null 2>&1") == 0;
    return available;
}

// A scratch file removed when the object goes.
class TempFile {
public:
    TempFile()
    {
        char name[] = "/tmp/gravik_test_XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0) {
            close(fd);
            path_ = name;
        }
    }
    ~TempFile()
    {
        if (!path_.empty()) std::remove(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    bool ok() const { return !path_.empty(); }

    void Write(const Bytes& data) const
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
    }
    Bytes Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

// Runs "openssl <args> -in IN -out OUT" with `input` in IN and returns OUT,
// or nothing when the command fails. Commands that take the input file as a
// plain argument (dgst) pass positionalInput.
inline std::optional<Bytes> RunOpenssl(const std::string& args, const Bytes& input,
                                       bool positionalInput = false)
{
    TempFile in;
    TempFile out;
    if (!in.ok() || !out.ok()) return std::nullopt;
    in.Write(input);
    const std::string cmd = "openssl " + args + " -out " + out.path() +
                            (positionalInput ? " " : " -in ") + in.path() + " 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return std::nullopt;
    return out.Read();
}

inline std::string ToHex(const unsigned char* p, std::size_t n)
{
    static const char kHex[] = "0123456789abcdef";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += kHex[p[i] >> 4];
        s += kHex[p[i] & 15];
    }
    return s;
}
inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }

inline Bytes FromHex(const std::string& hex)
{
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

inline Bytes RandomBytes(std::mt19937& rng, std::size_t n)
{
    Bytes b(n);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& c : b) c = static_cast<unsigned char>(byte(rng));
    return b;
}

}  // namespace testutil

#endif  // GRAVIK_TESTS_OPENSSL_CLI_H

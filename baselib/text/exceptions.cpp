#include <gravik/exceptions.h>

namespace {
const char* const kUnknown = "Unknown Exception!";
}

CSocketException::CSocketException() : m_strMessage(kUnknown) {}
CSocketException::CSocketException(const std::string& message) : m_strMessage(message) {}
CSocketException::CSocketException(const CSocketException& other) = default;
CSocketException& CSocketException::operator=(const CSocketException& other) = default;
CSocketException::~CSocketException() = default;
std::string CSocketException::What() { return m_strMessage; }

CLocalSocketException::CLocalSocketException() = default;
CLocalSocketException::CLocalSocketException(const std::string& message)
    : CSocketException(message) {}
CLocalSocketException::CLocalSocketException(const CLocalSocketException& other) = default;
CLocalSocketException& CLocalSocketException::operator=(const CLocalSocketException& other) =
    default;
CLocalSocketException::~CLocalSocketException() = default;

CMyFileException::CMyFileException() : m_strMessage(kUnknown) {}
CMyFileException::CMyFileException(const std::string& message) : m_strMessage(message) {}
CMyFileException::CMyFileException(const CMyFileException& other) = default;
CMyFileException& CMyFileException::operator=(const CMyFileException& other) = default;
CMyFileException::~CMyFileException() = default;
std::string CMyFileException::What() { return m_strMessage; }

CGbUnicodeException::CGbUnicodeException() : m_strMessage(kUnknown) {}
CGbUnicodeException::CGbUnicodeException(const std::string& message) : m_strMessage(message) {}
CGbUnicodeException::CGbUnicodeException(const CGbUnicodeException& other) = default;
CGbUnicodeException& CGbUnicodeException::operator=(const CGbUnicodeException& other) = default;
CGbUnicodeException::~CGbUnicodeException() = default;
std::string CGbUnicodeException::What() { return m_strMessage; }

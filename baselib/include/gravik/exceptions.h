// libGravik - exception classes.
//
// The library throws its own exceptions in few places (the code-table loading
// of CGbUnicode, host-name look-up and listening sockets); everything else
// reports failure through results. Apart from these classes only the standard
// library's exceptions (std::bad_alloc, container length/range errors) leave it.
// All four are thrown by value and caught by type; none derives from
// std::exception.
#ifndef GRAVIK_EXCEPTIONS_H
#define GRAVIK_EXCEPTIONS_H

#include <gravik/export.h>

#include <string>

// Socket failure. Default message "Unknown Exception!".
class GRAVIK_API CSocketException {
public:
    CSocketException();
    explicit CSocketException(const std::string& message);
    CSocketException(const CSocketException& other);
    CSocketException& operator=(const CSocketException& other);
    virtual ~CSocketException();

    // A copy of the message.
    std::string What();

private:
    std::string m_strMessage;
};

// Local (Unix-domain) socket failure; thrown by nothing in the library,
// declared for callers.
class GRAVIK_API CLocalSocketException : public CSocketException {
public:
    CLocalSocketException();
    explicit CLocalSocketException(const std::string& message);
    CLocalSocketException(const CLocalSocketException& other);
    CLocalSocketException& operator=(const CLocalSocketException& other);
    ~CLocalSocketException() override;
};

// File failure; thrown by nothing in the library, declared for callers.
class GRAVIK_API CMyFileException {
public:
    CMyFileException();
    explicit CMyFileException(const std::string& message);
    CMyFileException(const CMyFileException& other);
    CMyFileException& operator=(const CMyFileException& other);
    virtual ~CMyFileException();

    std::string What();

private:
    std::string m_strMessage;
};

// Failure to load the code table of CGbUnicode: "Open data file failed" or
// "malloc memory failed".
class GRAVIK_API CGbUnicodeException {
public:
    CGbUnicodeException();
    explicit CGbUnicodeException(const std::string& message);
    CGbUnicodeException(const CGbUnicodeException& other);
    CGbUnicodeException& operator=(const CGbUnicodeException& other);
    virtual ~CGbUnicodeException();

    std::string What();

private:
    std::string m_strMessage;
};

#endif  // GRAVIK_EXCEPTIONS_H

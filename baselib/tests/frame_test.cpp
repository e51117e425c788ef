// Marker exports and exception classes.
#include <gravik/exceptions.h>
#include <gravik/frame.h>

#include <gtest/gtest.h>

TEST(Frame, MarkerExports)
{
    EXPECT_EQ(fnGravikLib(), 42);
    EXPECT_EQ(nGravikLib, 0);
    CGravikLib a;
    CGravikLib b;
    b = a;  // assignment exists and does nothing observable
    (void)b;
}

template <typename E>
class ExceptionTest : public ::testing::Test {};
using ExceptionTypes =
    ::testing::Types<CSocketException, CLocalSocketException, CMyFileException, CGbUnicodeException>;
TYPED_TEST_SUITE(ExceptionTest, ExceptionTypes);

TYPED_TEST(ExceptionTest, MessagesAreCopied)
{
    TypeParam byDefault;
    EXPECT_EQ(byDefault.What(), "Unknown Exception!");

    TypeParam withText(std::string("Open data file failed"));
    TypeParam copy(withText);
    EXPECT_EQ(copy.What(), "Open data file failed");

    byDefault = withText;
    EXPECT_EQ(byDefault.What(), "Open data file failed");

    try {
        throw TypeParam(std::string("thrown"));
    } catch (TypeParam& caught) {
        EXPECT_EQ(caught.What(), "thrown");
    }
}

TEST(Frame, LocalSocketExceptionIsCaughtAsSocketException)
{
    try {
        throw CLocalSocketException(std::string("local"));
    } catch (CSocketException& caught) {
        EXPECT_EQ(caught.What(), "local");
    }
}

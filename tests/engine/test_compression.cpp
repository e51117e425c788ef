// zlib streams of the data sets: level-9 header, round trips, and damaged input.
#include "Compression.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& AText) { return {AText.begin(), AText.end()}; }

TEST(Compression, RoundTripsWithTheLevelNineHeader) {
    std::mt19937 random(7);
    std::string noisy(200000, '\0');
    for (char& c : noisy)
        c = static_cast<char>(random());
    for (const std::string& text : {std::string(), std::string("a"), std::string(1 << 20, 'x'), noisy}) {
        const auto packed = DeflateZlib(Bytes(text));
        ASSERT_GE(packed.size(), 2u);
        EXPECT_EQ(packed[0], 0x78);
        EXPECT_EQ(packed[1], 0xDA);
        EXPECT_EQ(InflateZlib(packed), text);
    }
}

TEST(Compression, RejectsDamagedStreams) {
    const auto packed = DeflateZlib(Bytes(std::string(5000, 'q') + "tail"));
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {},                                                           // nothing at all
        {packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2)}, // truncated
        Bytes("<?xml version=\"1.0\"?><root/>"),                    // not compressed
        [&] { auto v = packed; v.push_back(0); return v; }(),        // trailing garbage
        [&] { auto v = packed; v[v.size() - 1] ^= 0xFF; return v; }(), // bad checksum
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_THROW(InflateZlib(damaged[i]), std::runtime_error) << "case " << i;
}

TEST(CompressFile, WritesTheStreamAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("source.xml"));
    const QString dest = dir.filePath(QStringLiteral("source.dzip"));
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<root>\r\n  text\r\n</root>\r\n");
    }
    QString error;
    ASSERT_TRUE(CompressFile(source, dest, &error)) << error.toStdString();
    QFile packed(dest);
    ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
    const QByteArray bytes = packed.readAll();
    EXPECT_EQ(InflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size()))),
              "<root>\r\n  text\r\n</root>\r\n");

    EXPECT_FALSE(CompressFile(dir.filePath(QStringLiteral("missing.xml")), dest, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.xml")));
    EXPECT_FALSE(CompressFile(source, dir.filePath(QStringLiteral("no/such/folder/x.dzip")), &error));
    // A failed compression leaves the earlier output as it was.
    EXPECT_EQ(QFile(dest).size(), bytes.size());
}

} // namespace

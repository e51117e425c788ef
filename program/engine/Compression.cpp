#include "Compression.h"

#include "TextLines.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>
#include <zlib.h>

std::vector<std::uint8_t> DeflateZlib(std::span<const std::uint8_t> ABytes) {
    uLongf size = compressBound(static_cast<uLong>(ABytes.size()));
    std::vector<std::uint8_t> out(size);
    const int rc = compress2(out.data(), &size, ABytes.data(), static_cast<uLong>(ABytes.size()),
                             Z_BEST_COMPRESSION);
    if (rc != Z_OK)
        throw std::runtime_error("zlib could not deflate the data");
    out.resize(size);
    return out;
}

std::string InflateZlib(std::span<const std::uint8_t> AStream) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw std::runtime_error("zlib could not start inflating");
    zs.next_in = const_cast<Bytef*>(AStream.data());
    zs.avail_in = static_cast<uInt>(AStream.size());

    std::string out;
    out.resize(std::max<std::size_t>(AStream.size() * 4, 4096));
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (zs.total_out == out.size())
            out.resize(out.size() * 2);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + zs.total_out);
        zs.avail_out = static_cast<uInt>(out.size() - zs.total_out);
        rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break; // input ended before the stream did
        if (rc == Z_BUF_ERROR)
            rc = Z_OK; // output full: grow and go on
    }
    const bool complete = rc == Z_STREAM_END && zs.avail_in == 0;
    out.resize(zs.total_out);
    inflateEnd(&zs);
    if (!complete)
        throw std::runtime_error("data set is not a complete zlib stream");
    return out;
}

bool CompressFile(const QString& ASourceFile, const QString& ADestFile, QString* AError) {
    auto fail = [&](const QString& AWhy) {
        if (AError)
            *AError = AWhy;
        return false;
    };
    QFile source(ASourceFile);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(ASourceFile, source.errorString()));
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot read %1: %2").arg(ASourceFile, source.errorString()));

    const auto packed = DeflateZlib(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              static_cast<std::size_t>(bytes.size())));
    QSaveFile dest(ADestFile);
    if (!dest.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(ADestFile, dest.errorString()));
    const auto size = static_cast<qint64>(packed.size());
    if (dest.write(reinterpret_cast<const char*>(packed.data()), size) != size) {
        // A write cut short (a full disk) sets no error on the device, and QSaveFile would put
        // the truncated stream in place.
        const QString why = WriteErrorText(dest);
        dest.cancelWriting();
        return fail(QStringLiteral("cannot write %1: %2").arg(ADestFile, why));
    }
    if (!dest.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(ADestFile, dest.errorString()));
    return true;
}

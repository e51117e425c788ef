// The eight data sets the program carries: their resource names, source file stems, and the
// read-only streams that start-up opens over the embedded bytes. Each stream is consumed by
// exactly one loader, which releases it after reading.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

enum class TDataSet : int {
    Tabular,
    DIndex,
    EIndex,
    TableOfDrugs,
    TableOfNeoplasms,
    CodeKeywords,
    SpecialKWs,
    ShortDesc,
};
inline constexpr int DataSetCount = 8;

struct TDataSetInfo {
    TDataSet Id;
    const char* ResourceName; // name of the embedded resource, e.g. "Tabular"
    const char* SourceStem;   // source file stem with %1 standing for DataYear
    const char* SourceExt;    // ".xml" or ".txt"
};

// The data sets in the order start-up opens them.
const std::array<TDataSetInfo, DataSetCount>& DataSetTable();
const TDataSetInfo& DataSetInfo(TDataSet AId);
// Source file name of a data set for the given edition, e.g. icd10cm_tabular_2023.xml.
QString DataSetSourceName(TDataSet AId, const QString& AYear);

// A read-only stream over the compressed bytes of one data set: a view of the bytes embedded in
// the executable, or bytes it owns (tests and tools).
class TResourceStream {
public:
    explicit TResourceStream(std::span<const std::uint8_t> AView) : FView(AView) {}
    explicit TResourceStream(std::vector<std::uint8_t> ABytes)
        : FOwned(std::move(ABytes)), FView(FOwned) {}
    // The document itself, not deflated (the administrator operations read source files so).
    static std::unique_ptr<TResourceStream> Uncompressed(std::vector<std::uint8_t> ABytes) {
        auto stream = std::make_unique<TResourceStream>(std::move(ABytes));
        stream->FCompressed = false;
        return stream;
    }
    std::span<const std::uint8_t> Bytes() const { return FView; }
    bool Compressed() const { return FCompressed; }

private:
    std::vector<std::uint8_t> FOwned;
    std::span<const std::uint8_t> FView;
    bool FCompressed = true;
};

// Puts the stream of a data set in place (start-up, or a test); replaces an unconsumed one.
void PutResourceStream(TDataSet AId, std::unique_ptr<TResourceStream> AStream);
// Hands the stream to its loader; empty when it was never opened or is already consumed.
std::unique_ptr<TResourceStream> TakeResourceStream(TDataSet AId);

// Reads a source file as an uncompressed stream; null when it cannot be read.
std::unique_ptr<TResourceStream> ReadSourceFile(const QString& APath);

// Inflates a data set's stream into its document bytes. Throws std::runtime_error when the
// stream is missing or is not a complete zlib stream.
std::string InflateResource(const TResourceStream* AStream);

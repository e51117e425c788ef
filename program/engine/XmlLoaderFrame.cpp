#include "XmlLoaderFrame.h"

#include "LoaderMessages.h"

#include <stdexcept>

namespace {
void AppendText(const pugi::xml_node& ANode, std::string& AOut) {
    for (pugi::xml_node child = ANode.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            AOut += child.value();
        else if (child.type() == pugi::node_element)
            AppendText(child, AOut);
    }
}
} // namespace

QString NodeText(const pugi::xml_node& ANode) {
    const pugi::xml_node first = ANode.first_child();
    if (!first)
        return QString();
    if (!first.next_sibling() &&
        (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata))
        return QString::fromUtf8(first.value());
    std::string text;
    AppendText(ANode, text);
    return QString::fromStdString(text);
}

int StrictInteger(const QString& AText) {
    bool ok = false;
    const int value = AText.trimmed().toInt(&ok, 10);
    if (!ok)
        throw std::invalid_argument("not an integer: " + AText.toStdString());
    return value;
}

void RunXmlLoaderFrame(TDataSet AId, TLoadState& AState, const QString& AFailureMessage,
                       const std::function<void(const pugi::xml_node& ARoot)>& AWalk) {
    // A stop requested before this loader began leaves the data set untouched.
    int state = AState.load(std::memory_order_acquire);
    do {
        if (state == LoadStopRequested)
            return;
    } while (!AState.compare_exchange_weak(state, LoadRunning, std::memory_order_acq_rel));
    try {
        std::string text;
        {
            // The compressed stream is released as soon as it is inflated.
            const std::unique_ptr<TResourceStream> stream = TakeResourceStream(AId);
            text = InflateResource(stream.get());
        }
        pugi::xml_document document;
        const pugi::xml_parse_result parsed =
            document.load_buffer_inplace(text.data(), text.size(), pugi::parse_default,
                                         pugi::encoding_auto);
        if (!parsed)
            throw std::runtime_error(std::string("XML is not well-formed: ") +
                                     parsed.description());
        AWalk(document.document_element());
    } catch (...) {
        ShowLoaderMessage(AFailureMessage);
        WriteState(AState, LoadFailed);
    }
    int expected = LoadRunning;
    AState.compare_exchange_strong(expected, LoadDone, std::memory_order_acq_rel);
}

// Writing the report library's XML dialect.
#include "report/vrXML.h"

namespace {
constexpr size_t WriteBufferSize = 4096;
}

TvrXMLWriter::TvrXMLWriter(TStream& stream) : FStream(stream) {
    FBuffer.reserve(WriteBufferSize + 256);
}

void TvrXMLWriter::Flush() {
    if (FBuffer.empty()) return;
    FStream.WriteBuffer(FBuffer.data(), static_cast<Int64>(FBuffer.size()));
    FBuffer.clear();
}

void TvrXMLWriter::AppendLine(const String& s) {
    FBuffer += s;
    if (IndentOutput) FBuffer += "\r\n";
    if (FBuffer.size() > WriteBufferSize) Flush();
}

void TvrXMLWriter::WriteDeclaration(bool standalone) {
    AppendLine(standalone ? "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>"
                          : "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
}

void TvrXMLWriter::WriteTag(const TvrXMLItem& item, int level) {
    String line;
    line.reserve(item.Name.size() + item.AttrText.size() + item.Content.size() + item.Name.size() + 16 +
                 (IndentOutput ? static_cast<size_t>(level) : 0));
    if (IndentOutput) line.append(static_cast<size_t>(level), ' ');
    line += '<';
    line += item.Name;
    if (!item.AttrText.empty() || item.IsUnloadable) {
        if (item.AttrText.empty() || item.AttrText[0] != ' ') line += ' ';
        line += item.AttrText;
        if (item.IsUnloadable) {
            // The marker is an attribute of its own, so the reader recognises it.
            if (!item.AttrText.empty() && item.AttrText.back() != ' ') line += ' ';
            line += "ld=\"0\"";
        }
    }
    if (item.ItemCount() > 0) {
        line += '>';
    } else if (item.Content.empty()) {
        line += "/>";
    } else {
        line += '>';
        line += item.Content;
        line += "</";
        line += item.Name;
        line += '>';
    }
    AppendLine(line);
}

void TvrXMLWriter::WriteItems(TvrXMLItem& item, int level) {
    const bool readBack = ReadBackDocument && item.IsUnloadable && !item.IsLoaded;
    if (readBack) ReadBackDocument->ReadBack(item);
    try {
        WriteTag(item, level);
        const int childLevel = IndentOutput ? level + 2 : 0;
        for (int i = 0; i < item.ItemCount(); ++i)
            WriteItems(*item.GetItem(i), childLevel);
        if (item.ItemCount() > 0) {
            String line;
            if (IndentOutput) line.append(static_cast<size_t>(level), ' ');
            line += "</";
            line += item.Name;
            line += '>';
            AppendLine(line);
        }
    } catch (...) {
        if (readBack) item.Clear();
        throw;
    }
    if (readBack) item.Clear(); // swapped out again; its offset stays valid
}

void TvrXMLWriter::WriteTree(TvrXMLItem& item, int level) {
    WriteItems(item, IndentOutput ? level : 0);
    Flush();
}

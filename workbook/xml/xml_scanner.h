// The fast path for the large parts of a workbook (worksheets, shared strings, an .ods's content):
// a scanner of its own for the shape these documents have, taking the plain runs of text and
// markup sixteen bytes at a time, and the platform's parser (ParseXml) as its check.
//
// The scanner reads UTF-8 documents made of elements, attributes in either quote, the five
// predefined entities and character references, namespace prefixes declared in the document,
// comments and processing instructions. It decides nothing it is unsure of: a DTD, CDATA, an
// unknown entity, another encoding, anything malformed, it leaves to ParseXml, which then reads
// the whole part again from its start and gives today's events and errors.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>

#include "workbook/byte_reader.h"
#include "workbook/xml/xml_reader.h"
#include "workbook/xml/xml_unusual.h"

namespace tabulor::xml {

// Gives the handler the events ParseXml would give for the same bytes, with the same texts
// (pieces of text may split elsewhere). Throws TXmlUnusual where the document leaves the
// scanner's shape, the handler having had the events before that place only; anything else
// thrown comes from the input or the handler, unchanged.
void ScanXml(TByteReader& input, TXmlHandler& handler);

// Opens the part afresh from its start at each call.
using TPartOpener = std::function<std::unique_ptr<TByteReader>()>;
using TXmlParser = void (*)(TByteReader&, TXmlHandler&);

// read(input, parser) reads the part with that parser into what it makes afresh, and returns it.
// It runs first with ScanXml; should the document leave the scanner's shape, everything the first
// run made is freed and read runs once more, from the part's start, with ParseXml, whose result,
// errors and handler exceptions are then the reader's.
template <typename TRead>
std::invoke_result_t<TRead, TByteReader&, TXmlParser> ReadXmlPart(const TPartOpener& open, TRead read)
{
    try {
        return read(*open(), &ScanXml);
    } catch (const TXmlUnusual&) {
    }
    return read(*open(), &ParseXml);
}

}  // namespace tabulor::xml

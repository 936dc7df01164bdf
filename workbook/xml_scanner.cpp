#include "workbook/xml_scanner.h"

namespace tabulor {

void ScanXml(TByteReader&, TXmlHandler&)
{
    throw TXmlUnusual{};
}

}  // namespace tabulor

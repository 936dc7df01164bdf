// What the fast scanner throws where a document leaves the shape it reads, from any of its steps.
// ReadXmlPart catches it: it never reaches a reader's caller.
#pragma once

namespace tabulor::xml {

struct TXmlUnusual {};

}  // namespace tabulor::xml

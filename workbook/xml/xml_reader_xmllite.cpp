// ParseXml over Windows' own XmlLite, pulling one node at a time. It reads no DTD (one is a
// fault), fetches nothing, and reports no comment, processing instruction or namespace
// declaration.
#include "workbook/xml/xml_reader.h"

#include <windows.h>
#include <objidl.h>
#include <xmllite.h>

#include <exception>
#include <string>
#include <vector>

#include "workbook/workbook_fault.h"

namespace tabulor::xml {
namespace {

void Check(HRESULT result)
{
    if (FAILED(result))
        ThrowInvalid();
}

// Holds one reference to a COM object, released with the holder.
template <typename T>
class TComHolder {
public:
    TComHolder() = default;
    TComHolder(const TComHolder&) = delete;
    TComHolder& operator=(const TComHolder&) = delete;
    ~TComHolder()
    {
        if (Object != nullptr)
            Object->Release();
    }
    T* operator->() const { return Object; }
    T& operator*() const { return *Object; }
    void** Out() { return reinterpret_cast<void**>(&Object); }

private:
    T* Object = nullptr;
};

// The byte reader as the stream XmlLite reads. It lives on the stack and outlives the reader
// that holds it, so its references are not counted. An exception must not cross XmlLite's
// frames: the byte reader's is kept, and thrown again once XmlLite returns.
class TReaderStream final : public ISequentialStream {
public:
    explicit TReaderStream(TByteReader& input) : Input(input) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id != __uuidof(IUnknown) && id != __uuidof(ISequentialStream)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<ISequentialStream*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // Fills the buffer whole but at the end, as a stream's reader expects of S_OK.
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* count) override
    {
        ULONG filled = 0;
        try {
            while (filled < size) {
                const std::size_t read = Input.Read(static_cast<char*>(buffer) + filled, size - filled);
                if (read == 0)
                    break;
                filled += static_cast<ULONG>(read);
            }
        } catch (...) {
            Fault = std::current_exception();
            filled = 0;
        }
        if (count != nullptr)
            *count = filled;
        return Fault ? E_FAIL : filled < size ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

    void RethrowFault() const
    {
        if (Fault)
            std::rethrow_exception(Fault);
    }

private:
    TByteReader& Input;
    std::exception_ptr Fault;
};

void AssignUtf8(const WCHAR* text, UINT length, std::string& out)
{
    out.resize(std::size_t{length} * 3);
    if (length == 0)
        return;
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, static_cast<int>(length),
                                         out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    if (size == 0)
        ThrowInvalid();
    out.resize(static_cast<std::size_t>(size));
}

constexpr LONG_PTR MaxDepth = 1024;
constexpr std::wstring_view XmlnsNamespace = L"http://www.w3.org/2000/xmlns/";

// One parse: the reader's nodes turned into the handler's calls. Its strings keep their room
// from one element to the next.
class TXmlLiteParse {
public:
    TXmlLiteParse(IXmlReader& reader, TXmlHandler& handler) : Reader(reader), Handler(handler) {}

    void Step(XmlNodeType type)
    {
        switch (type) {
        case XmlNodeType_Element:
            StartElement();
            break;
        case XmlNodeType_EndElement:
            ReadName(NameTexts[0], NameTexts[1]);
            EndElement();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
            // Whitespace around the root is no character data of the document's.
            if (Depth != 0) {
                const WCHAR* value = nullptr;
                UINT length = 0;
                Check(Reader.GetValue(&value, &length));
                AssignUtf8(value, length, Text);
                Handler.Characters(Text);
            }
            break;
        default:
            break;
        }
    }

    // A document is one root element, closed.
    void Finish() const
    {
        if (!RootSeen || Depth != 0)
            ThrowInvalid();
    }

private:
    // A prefix bound to no namespace is a fault, which some XmlLites let through.
    void ReadName(std::string& nameSpace, std::string& local)
    {
        const WCHAR* text = nullptr;
        UINT length = 0;
        Check(Reader.GetNamespaceUri(&text, &length));
        AssignUtf8(text, length, nameSpace);
        Check(Reader.GetLocalName(&text, &length));
        AssignUtf8(text, length, local);
        const UINT localLength = length;
        Check(Reader.GetQualifiedName(&text, &length));
        if (length != localLength && nameSpace.empty())
            ThrowInvalid();
    }

    bool IsNamespaceDeclaration()
    {
        const WCHAR* text = nullptr;
        UINT length = 0;
        Check(Reader.GetNamespaceUri(&text, &length));
        return std::wstring_view(text, length) == XmlnsNamespace;
    }

    void StartElement()
    {
        if (Depth == 0 && RootSeen)
            ThrowInvalid();
        RootSeen = true;
        // Asked before the reader moves to the attributes.
        const bool empty = Reader.IsEmptyElement();
        ReadName(NameTexts[0], NameTexts[1]);
        std::size_t count = 0;
        HRESULT result = Reader.MoveToFirstAttribute();
        for (; result == S_OK; result = Reader.MoveToNextAttribute()) {
            if (IsNamespaceDeclaration())
                continue;
            const std::size_t at = 2 + 3 * count++;
            if (NameTexts.size() < at + 3)
                NameTexts.resize(at + 3);
            ReadName(NameTexts[at], NameTexts[at + 1]);
            const WCHAR* value = nullptr;
            UINT length = 0;
            Check(Reader.GetValue(&value, &length));
            AssignUtf8(value, length, NameTexts[at + 2]);
        }
        Check(result);
        // The views are taken once every string has its room.
        Attributes.clear();
        for (std::size_t index = 0; index < count; ++index) {
            const std::size_t at = 2 + 3 * index;
            Attributes.push_back({{NameTexts[at], NameTexts[at + 1]}, NameTexts[at + 2]});
        }
        ++Depth;
        Handler.StartElement({NameTexts[0], NameTexts[1]}, Attributes);
        if (empty)
            EndElement();
    }

    void EndElement()
    {
        --Depth;
        Handler.EndElement({NameTexts[0], NameTexts[1]});
    }

    IXmlReader& Reader;
    TXmlHandler& Handler;
    // The element's namespace and local name, then each attribute's namespace, local name and value.
    std::vector<std::string> NameTexts = std::vector<std::string>(2);
    std::vector<TXmlAttribute> Attributes;
    std::string Text;
    std::size_t Depth = 0;
    bool RootSeen = false;
};

}  // namespace

void ParseXml(TByteReader& input, TXmlHandler& handler)
{
    TReaderStream stream(input);
    TComHolder<IXmlReader> reader;
    Check(CreateXmlReader(__uuidof(IXmlReader), reader.Out(), nullptr));
    Check(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit));
    Check(reader->SetProperty(XmlReaderProperty_XmlResolver, 0));
    // Deeper than any workbook's part, and finite: Wine's XmlLite, at the end of a document cut
    // inside an element, keeps reading elements until the limit stops it.
    Check(reader->SetProperty(XmlReaderProperty_MaxElementDepth, MaxDepth));
    Check(reader->SetInput(&stream));
    TXmlLiteParse parse(*reader, handler);
    for (;;) {
        XmlNodeType type = XmlNodeType_None;
        const HRESULT result = reader->Read(&type);
        stream.RethrowFault();
        Check(result);
        if (result == S_FALSE)
            break;
        parse.Step(type);
    }
    parse.Finish();
}

}  // namespace tabulor::xml

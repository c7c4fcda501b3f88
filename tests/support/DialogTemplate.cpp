#include "tests/support/DialogTemplate.h"

#include <cstring>

namespace {
class Reader {
public:
    explicit Reader(const BYTE* start) : m_start(start), m_at(start) {}

    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    void AlignDword() {
        while ((m_at - m_start) % 4 != 0)
            ++m_at;
    }
    void Skip(size_t bytes) { m_at += bytes; }

    // A name or an ordinal: 0 for none, FFFF and a number, or a NUL-ended string.
    std::string NameOrOrdinal(bool* isOrdinal = nullptr, WORD* ordinal = nullptr) {
        const WORD first = Word();
        if (first == 0xFFFF) {
            const WORD number = Word();
            if (isOrdinal)
                *isOrdinal = true;
            if (ordinal)
                *ordinal = number;
            return "#" + std::to_string(number);
        }
        std::wstring wide;
        for (WORD c = first; c != 0; c = Word())
            wide.push_back(static_cast<wchar_t>(c));
        std::string text(wide.size() * 2 + 1, '\0');
        const int bytes =
            ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0],
                                  static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(static_cast<size_t>(bytes > 0 ? bytes : 0));
        return text;
    }

private:
    template <class T> T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }
    const BYTE* m_start;
    const BYTE* m_at;
};

std::string PredefinedClass(WORD ordinal) {
    switch (ordinal) {
    case 0x80:
        return "Button";
    case 0x81:
        return "Edit";
    case 0x82:
        return "Static";
    case 0x83:
        return "ListBox";
    case 0x84:
        return "ScrollBar";
    case 0x85:
        return "ComboBox";
    default:
        return "#" + std::to_string(ordinal);
    }
}
} // namespace

bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result) {
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    if (bytes == nullptr)
        return false;

    Reader in(bytes);
    DialogTemplate& t = *result;
    int count = 0;
    const WORD first = in.Word();
    const WORD second = in.Word();
    t.extended = first == 1 && second == 0xFFFF;
    if (t.extended) {
        in.Dword(); // help id
        t.exStyle = in.Dword();
        t.style = in.Dword();
    } else {
        t.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        t.exStyle = in.Dword();
    }
    count = in.Word();
    t.x = in.Short();
    t.y = in.Short();
    t.cx = in.Short();
    t.cy = in.Short();
    in.NameOrOrdinal(); // menu
    in.NameOrOrdinal(); // class
    t.caption = in.NameOrOrdinal();
    if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
        t.pointSize = in.Word();
        if (t.extended) {
            in.Word(); // weight
            in.Byte(); // italic
            in.Byte(); // character set
        }
        t.typeface = in.NameOrOrdinal();
    }
    for (int i = 0; i < count; ++i) {
        in.AlignDword();
        DialogItemTemplate item{};
        if (t.extended) {
            in.Dword(); // help id
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = t.extended ? static_cast<int>(in.Dword()) : static_cast<short>(in.Word());
        if (t.extended)
            item.id = static_cast<short>(item.id);
        bool ordinal = false;
        WORD classOrdinal = 0;
        item.className = in.NameOrOrdinal(&ordinal, &classOrdinal);
        if (ordinal)
            item.className = PredefinedClass(classOrdinal);
        item.text = in.NameOrOrdinal();
        in.Skip(in.Word()); // creation data
        t.items.push_back(item);
    }
    return true;
}

#include "engine/status_text.h"

#include <algorithm>
#include <cstdint>

namespace skelvane {

namespace {

// Appends to a fixed buffer and silently drops what does not fit, leaving room
// for the terminator.
class TextSink {
  public:
    TextSink(char16_t* out, int capacity) : out_(out), capacity_(capacity) {}
    ~TextSink() { out_[length_] = u'\0'; }

    void Put(char16_t unit) {
        if (length_ + 1 < capacity_) {
            out_[length_++] = unit;
        }
    }
    void PutWide(const char16_t* text) {
        for (; text != nullptr && *text != u'\0'; ++text) {
            Put(*text);
        }
    }
    // 8-bit arguments are dotted addresses and host names: plain ASCII.
    void PutNarrow(const char* text) {
        for (; text != nullptr && *text != '\0'; ++text) {
            Put(static_cast<char16_t>(static_cast<unsigned char>(*text)));
        }
    }
    void PutInteger(std::int32_t value) {
        std::uint32_t magnitude = static_cast<std::uint32_t>(value);
        if (value < 0) {
            Put(u'-');
            magnitude = 0u - magnitude;
        }
        char16_t digits[10];
        int n = 0;
        do {
            digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (n > 0) {
            Put(digits[--n]);
        }
    }

  private:
    char16_t* out_;
    int capacity_;
    int length_ = 0;
};

void PutArgument(TextSink& sink, char16_t conversion, const TextArg* arg) {
    if (arg == nullptr) {
        return;
    }
    if (conversion == u's' && arg->kind == TextArg::Kind::kWide) {
        sink.PutWide(arg->wide);
    } else if (conversion == u'S' && arg->kind == TextArg::Kind::kNarrow) {
        sink.PutNarrow(arg->narrow);
    } else if (conversion == u'd' && arg->kind == TextArg::Kind::kInteger) {
        sink.PutInteger(arg->integer);
    }
}

}  // namespace

void FormatTextInto(char16_t* out, int capacity, const char16_t* format,
                    std::initializer_list<TextArg> args) {
    TextSink sink(out, capacity);
    const TextArg* next = args.begin();
    for (const char16_t* p = format; *p != u'\0'; ++p) {
        if (*p != u'%' || p[1] == u'\0') {
            sink.Put(*p);
            continue;
        }
        ++p;
        if (*p == u'%') {
            sink.Put(u'%');
            continue;
        }
        PutArgument(sink, *p, next != args.end() ? next : nullptr);
        if (next != args.end()) {
            ++next;
        }
    }
}

void CopyText(char16_t* out, int capacity, std::u16string_view text) {
    if (capacity <= 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), length, out);
    out[length] = u'\0';
}

void ReportStatusText(RefreshFrontEnd& frontEnd, const char16_t* format,
                      std::initializer_list<TextArg> args) {
    char16_t text[kStatusTextCapacity];
    FormatText(text, format, args);
    frontEnd.PutStatus(text);
}

void FormatCountText(char16_t* out, std::int32_t count, const char16_t* noun) {
    TextSink sink(out, kCountTextCapacity);
    sink.PutInteger(count);
    sink.Put(u' ');
    sink.PutWide(noun);
    if (count != 1) {
        sink.Put(u's');
    }
}

}  // namespace skelvane

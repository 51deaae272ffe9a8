#include "engine/status_text.h"

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

void PutArgument(TextSink& sink, char16_t conversion, const StatusArg* arg) {
    if (arg == nullptr) {
        return;
    }
    if (conversion == u's' && arg->kind == StatusArg::Kind::kWide) {
        sink.PutWide(arg->wide);
    } else if (conversion == u'S' && arg->kind == StatusArg::Kind::kNarrow) {
        sink.PutNarrow(arg->narrow);
    } else if (conversion == u'd' && arg->kind == StatusArg::Kind::kInteger) {
        sink.PutInteger(arg->integer);
    }
}

}  // namespace

void FormatStatus(char16_t* out, const char16_t* format, std::initializer_list<StatusArg> args) {
    TextSink sink(out, kStatusTextCapacity);
    const StatusArg* next = args.begin();
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

void ReportStatusText(RefreshFrontEnd& frontEnd, const char16_t* format,
                      std::initializer_list<StatusArg> args) {
    char16_t text[kStatusTextCapacity];
    FormatStatus(text, format, args);
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

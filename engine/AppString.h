// AppString: the program's growable string of single-byte characters. Its length counts the
// terminating zero ("abc" has length 4, a string that never held text has length 0), and
// buffers are sized exactly: assigning, appending and copying reserve no spare room, so the
// capacity only says how many bytes the buffer really has.
//
// Texts of kRefusedTextLength characters or more are refused by assignment and appending:
// the string stays as it was. Strings that hand text to fixed-size system buffers rely on it.
#pragma once

#include <cstdint>

class AppString {
public:
    static constexpr int32_t kRefusedTextLength = 1000;

    // Allocates nothing.
    AppString() = default;
    // Allocates `capacity` zeroed bytes and sets both length and capacity to it; the caller
    // writes text into Buffer() and then calls Recount(). A capacity below 1 allocates nothing.
    explicit AppString(int32_t capacity);
    // Assign(text) on an empty string: a refused text leaves it empty.
    explicit AppString(const char* text);
    ~AppString();

    AppString(const AppString& other);
    AppString& operator=(const AppString& other);
    AppString(AppString&& other) noexcept;
    AppString& operator=(AppString&& other) noexcept;

    // Sets the length to the text's length + 1, never above the capacity. Text that fills the
    // whole buffer loses its last byte to the terminating zero, so the text always ends there.
    void Recount();

    // False, string unchanged, for a null text or one of kRefusedTextLength characters or more.
    bool Assign(const char* text);
    // The same limit holds for the appended text alone. False, string unchanged, when refused.
    bool Append(const char* text);
    // Decimal, "-" before negative values, "0" for zero.
    bool AppendInt(int32_t value);

    // The first `count` characters, or the whole string when it is shorter.
    AppString Prefix(int32_t count) const;

    // The text; "" for a string without a buffer.
    const char* Text() const { return buffer_ != nullptr ? buffer_ : ""; }
    // The buffer itself, for callers that let the system write into it; null when unallocated.
    char* Buffer() { return buffer_; }
    const char* Buffer() const { return buffer_; }
    int32_t Length() const { return length_; }
    int32_t Capacity() const { return capacity_; }
    // Fewer than two bytes of length: no characters.
    bool IsEmpty() const { return length_ < 2; }

    // Lengths first, then the bytes. A null text equals only a string that never held text.
    bool operator==(const AppString& other) const;
    bool operator==(const char* text) const;
    bool operator!=(const AppString& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    friend AppString operator+(const AppString& left, const AppString& right);
    friend AppString operator+(const AppString& left, const char* right);
    friend AppString operator+(const char* left, const AppString& right);

    // A new string of exactly the two byte runs and a terminating zero (one allocation).
    static AppString Join(const char* left, int32_t leftCount, const char* right, int32_t rightCount);
    // Appends `count` bytes of `bytes` (no zero among them) after the current text.
    bool AppendBytes(const char* bytes, int32_t count);
    void Release();

    char* buffer_ = nullptr;
    int32_t length_ = 0;
    int32_t capacity_ = 0;
};

// A new string; when one side is empty (length below 2) the result is a copy of the other. A
// text of AppString::kRefusedTextLength characters or more counts as empty, as appending
// would refuse it.
AppString operator+(const AppString& left, const AppString& right);
AppString operator+(const AppString& left, const char* right);
AppString operator+(const char* left, const AppString& right);

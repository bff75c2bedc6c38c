// AppString: exact-size buffers, lengths that count the terminating zero, and the refusal of
// texts of 1000 characters or more. Allocation failures are reported as false results
// (nothrow allocation), as everywhere else in the program.
#include "engine/AppString.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace {

// Characters of `text` before its zero, counting no further than `limit`.
int32_t MeasureUpTo(const char* text, int32_t limit) {
    int32_t count = 0;
    while (count < limit && text[count] != '\0') ++count;
    return count;
}

// Characters of a text that appending would accept: -1 for a null or refused text.
int32_t AcceptedLength(const char* text) {
    if (text == nullptr) return -1;
    const int32_t count = MeasureUpTo(text, AppString::kRefusedTextLength);
    return count < AppString::kRefusedTextLength ? count : -1;
}

}  // namespace

AppString::AppString(int32_t capacity) {
    if (capacity < 1) return;
    buffer_ = new (std::nothrow) char[capacity]();
    if (buffer_ == nullptr) return;
    length_ = capacity;
    capacity_ = capacity;
}

AppString::AppString(const char* text) { Assign(text); }

AppString::~AppString() { Release(); }

AppString::AppString(const AppString& other) {
    if (other.buffer_ == nullptr || other.length_ < 1) return;
    buffer_ = new (std::nothrow) char[other.length_];
    if (buffer_ == nullptr) return;
    std::memcpy(buffer_, other.buffer_, static_cast<size_t>(other.length_));
    length_ = other.length_;
    capacity_ = other.length_;
}

AppString& AppString::operator=(const AppString& other) {
    if (this != &other) {
        AppString copy(other);
        *this = std::move(copy);
    }
    return *this;
}

AppString::AppString(AppString&& other) noexcept
    : buffer_(other.buffer_), length_(other.length_), capacity_(other.capacity_) {
    other.buffer_ = nullptr;
    other.length_ = 0;
    other.capacity_ = 0;
}

AppString& AppString::operator=(AppString&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(buffer_, other.buffer_);
        std::swap(length_, other.length_);
        std::swap(capacity_, other.capacity_);
    }
    return *this;
}

void AppString::Release() {
    delete[] buffer_;
    buffer_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

void AppString::Recount() {
    if (buffer_ == nullptr) return;
    const int32_t count = MeasureUpTo(buffer_, capacity_);
    if (count < capacity_) {
        length_ = count + 1;
    } else {
        buffer_[capacity_ - 1] = '\0';
        length_ = capacity_;
    }
}

bool AppString::Assign(const char* text) {
    const int32_t count = AcceptedLength(text);
    if (count < 0) return false;
    const int32_t needed = count + 1;
    if (capacity_ < needed) {
        // A text that lies inside our own buffer always fits it, so freeing first is safe.
        char* fresh = new (std::nothrow) char[needed];
        if (fresh == nullptr) return false;
        delete[] buffer_;
        buffer_ = fresh;
        capacity_ = needed;
    }
    std::memmove(buffer_, text, static_cast<size_t>(needed));
    length_ = needed;
    return true;
}

bool AppString::Append(const char* text) {
    const int32_t count = AcceptedLength(text);
    if (count < 0) return false;
    return AppendBytes(text, count);
}

bool AppString::AppendInt(int32_t value) {
    // Widened first: the magnitude of the most negative value does not fit 32 bits.
    int64_t magnitude = value;
    if (magnitude < 0) magnitude = -magnitude;
    char digits[12];
    int32_t start = sizeof digits;
    do {
        digits[--start] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--start] = '-';
    return AppendBytes(digits + start, static_cast<int32_t>(sizeof digits) - start);
}

bool AppString::AppendBytes(const char* bytes, int32_t count) {
    const int32_t textLength = length_ > 0 ? length_ - 1 : 0;
    if (count > INT32_MAX - 1 - textLength) return false;
    const int32_t newLength = textLength + count + 1;
    char* target = buffer_;
    if (capacity_ < newLength) {
        target = new (std::nothrow) char[newLength];
        if (target == nullptr) return false;
        if (textLength > 0) std::memcpy(target, buffer_, static_cast<size_t>(textLength));
    }
    // The old buffer stays alive until here: `bytes` may point into it.
    std::memmove(target + textLength, bytes, static_cast<size_t>(count));
    target[newLength - 1] = '\0';
    if (target != buffer_) {
        delete[] buffer_;
        buffer_ = target;
        capacity_ = newLength;
    }
    length_ = newLength;
    return true;
}

AppString AppString::Prefix(int32_t count) const {
    AppString result;
    if (buffer_ == nullptr || length_ < 1) return result;
    const int32_t textLength = length_ - 1;
    const int32_t taken = count < 0 ? 0 : (count < textLength ? count : textLength);
    result.AppendBytes(buffer_, taken);
    return result;
}

bool AppString::operator==(const AppString& other) const {
    if (length_ != other.length_) return false;
    if (length_ < 1) return true;
    return std::memcmp(buffer_, other.buffer_, static_cast<size_t>(length_)) == 0;
}

bool AppString::operator==(const char* text) const {
    if (text == nullptr) return length_ == 0;
    const size_t textLength = std::strlen(text) + 1;
    if (length_ < 1 || static_cast<size_t>(length_) != textLength) return false;
    return std::memcmp(buffer_, text, textLength) == 0;
}

AppString AppString::Join(const char* left, int32_t leftCount, const char* right, int32_t rightCount) {
    AppString result;
    if (rightCount > INT32_MAX - 1 - leftCount) return result;
    const int32_t length = leftCount + rightCount + 1;
    result.buffer_ = new (std::nothrow) char[length];
    if (result.buffer_ == nullptr) return result;
    std::memcpy(result.buffer_, left, static_cast<size_t>(leftCount));
    std::memcpy(result.buffer_ + leftCount, right, static_cast<size_t>(rightCount));
    result.buffer_[length - 1] = '\0';
    result.length_ = length;
    result.capacity_ = length;
    return result;
}

AppString operator+(const AppString& left, const AppString& right) {
    if (left.IsEmpty()) return right;
    if (right.IsEmpty()) return left;
    return AppString::Join(left.Text(), left.Length() - 1, right.Text(), right.Length() - 1);
}

AppString operator+(const AppString& left, const char* right) {
    const int32_t rightCount = AcceptedLength(right);
    if (rightCount < 1) return left;
    if (left.IsEmpty()) return AppString(right);
    return AppString::Join(left.Text(), left.Length() - 1, right, rightCount);
}

AppString operator+(const char* left, const AppString& right) {
    const int32_t leftCount = AcceptedLength(left);
    if (leftCount < 1) return right;
    if (right.IsEmpty()) return AppString(left);
    return AppString::Join(left, leftCount, right.Text(), right.Length() - 1);
}

#include "platform/system/PlistValue.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/system/Log.h"
#include "platform/system/PlistBounds.h"
#include "platform/system/PlistLibrary.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {
namespace {

// Property lists the tools read are small; anything larger is not one of them.
constexpr size_t kLargestFile = 1 << 20;

// Reached only through fromBytes() and toXml(), once the library is loaded.
const PlistLibrary& plist() { return *PlistLibrary::loaded(); }

struct PlistDeleter {
    void operator()(plist_t node) const { plist().plist_free(node); }
};
using PlistHandle = std::unique_ptr<void, PlistDeleter>;

PlistValue fromNode(plist_t node);

PlistValue dictionaryFromNode(plist_t node) {
    PlistValue::Dictionary dictionary;
    plist_dict_iter iter = nullptr;
    plist().plist_dict_new_iter(node, &iter);
    if (!iter) return PlistValue(dictionary);
    for (;;) {
        char* key = nullptr;
        plist_t child = nullptr;
        plist().plist_dict_next_item(node, iter, &key, &child);
        if (!child) {
            free(key);
            break;
        }
        if (key) dictionary[key] = fromNode(child);
        free(key);
    }
    free(iter);
    return PlistValue(std::move(dictionary));
}

PlistValue fromNode(plist_t node) {
    switch (plist().plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist().plist_get_bool_val(node, &value);
        return PlistValue(value != 0);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist().plist_get_uint_val(node, &value);
        // libplist keeps negative integers as their two's-complement bit pattern.
        return PlistValue(static_cast<int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist().plist_get_real_val(node, &value);
        return PlistValue(value);
    }
    case PLIST_STRING: {
        // A text ends at its first zero byte. libplist's copying getter would stop the program
        // with a failed assertion on one, and its XML reader keeps nothing after it anyway.
        uint64_t length = 0;
        const char* value = plist().plist_get_string_ptr(node, &length);
        return PlistValue(std::string(value ? value : "", value ? strnlen(value, length) : 0));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* value = plist().plist_get_data_ptr(node, &length);
        return PlistValue::data(std::string(value ? value : "", value ? length : 0));
    }
    case PLIST_DATE: {
        int32_t seconds = 0, micro = 0;
        plist().plist_get_date_val(node, &seconds, &micro);
        return PlistValue::date(seconds + micro / 1e6);
    }
    case PLIST_ARRAY: {
        PlistValue::Array array;
        uint32_t count = plist().plist_array_get_size(node);
        array.reserve(count);
        for (uint32_t i = 0; i < count; ++i) array.push_back(fromNode(plist().plist_array_get_item(node, i)));
        return PlistValue(std::move(array));
    }
    case PLIST_DICT: return dictionaryFromNode(node);
    default: return PlistValue();
    }
}

plist_t toNode(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Boolean: return plist().plist_new_bool(value.toBool());
    case PlistValue::Type::Integer: return plist().plist_new_uint(static_cast<uint64_t>(value.toInteger()));
    case PlistValue::Type::Real: return plist().plist_new_real(value.toReal());
    case PlistValue::Type::String: return plist().plist_new_string(value.toString().c_str());
    case PlistValue::Type::Data: return plist().plist_new_data(value.bytes().data(), value.bytes().size());
    case PlistValue::Type::Date: {
        // libplist keeps a date as 32-bit seconds: one read from a list may lie beyond them.
        const double seconds = value.dateValue();
        const double bounded = std::isnan(seconds) ? 0 : std::clamp<double>(std::trunc(seconds), INT32_MIN, INT32_MAX);
        const double micro = std::isnan(seconds) || bounded != std::trunc(seconds) ? 0 : (seconds - bounded) * 1e6;
        return plist().plist_new_date(static_cast<int32_t>(bounded), static_cast<int32_t>(micro));
    }
    case PlistValue::Type::Array: {
        plist_t node = plist().plist_new_array();
        for (const auto& item : value.array()) plist().plist_array_append_item(node, toNode(item));
        return node;
    }
    case PlistValue::Type::Dictionary: {
        plist_t node = plist().plist_new_dict();
        for (const auto& [key, item] : value.dictionary()) plist().plist_dict_set_item(node, key.c_str(), toNode(item));
        return node;
    }
    case PlistValue::Type::Null: break;
    }
    return plist().plist_new_string("");
}

const PlistValue& nullValue() {
    static const PlistValue value;
    return value;
}

std::optional<int64_t> leadingInteger(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\n");
    if (start == std::string::npos) return std::nullopt;
    if (text[start] == '+') ++start;
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    return value;
}

// A real number's whole part; the nearest integer there is for one out of range, and the
// fallback for one that is not a number at all.
int64_t integerOf(double number, int64_t fallback) {
    if (std::isnan(number)) return fallback;
    if (number >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
    if (number <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(number);
}

}  // namespace

PlistValue::PlistValue(bool value) : type_(Type::Boolean), flag_(value) {}
PlistValue::PlistValue(int value) : type_(Type::Integer), integer_(value) {}
PlistValue::PlistValue(int64_t value) : type_(Type::Integer), integer_(value) {}
PlistValue::PlistValue(uint64_t value) : type_(Type::Integer), integer_(static_cast<int64_t>(value)) {}
PlistValue::PlistValue(double value) : type_(Type::Real), number_(value) {}
PlistValue::PlistValue(const char* value) : type_(Type::String), text_(value ? value : "") {}
PlistValue::PlistValue(std::string value) : type_(Type::String), text_(std::move(value)) {}
PlistValue::PlistValue(Array value) : type_(Type::Array), array_(std::move(value)) {}
PlistValue::PlistValue(Dictionary value) : type_(Type::Dictionary), dictionary_(std::move(value)) {}

PlistValue PlistValue::data(std::string bytes) {
    PlistValue value;
    value.type_ = Type::Data;
    value.text_ = std::move(bytes);
    return value;
}

PlistValue PlistValue::date(double secondsSince2001) {
    PlistValue value;
    value.type_ = Type::Date;
    value.number_ = secondsSince2001;
    return value;
}

bool PlistValue::toBool(bool fallback) const {
    switch (type_) {
    case Type::Boolean: return flag_;
    case Type::Integer: return integer_ != 0;
    case Type::Real: return number_ != 0;
    case Type::String: {
        // Foundation's boolValue: YES for a leading "Y", "y", "T", "t" or a non-zero digit.
        size_t start = text_.find_first_not_of(" \t\n+-0");
        if (start == std::string::npos) return false;
        char c = text_[start];
        return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
    }
    default: return fallback;
    }
}

int64_t PlistValue::toInteger(int64_t fallback) const {
    switch (type_) {
    case Type::Boolean: return flag_ ? 1 : 0;
    case Type::Integer: return integer_;
    case Type::Real: return integerOf(number_, fallback);
    case Type::String: return leadingInteger(text_).value_or(0);
    default: return fallback;
    }
}

double PlistValue::toReal(double fallback) const {
    switch (type_) {
    case Type::Boolean: return flag_ ? 1 : 0;
    case Type::Integer: return static_cast<double>(integer_);
    case Type::Real:
    case Type::Date: return number_;
    case Type::String: {
        double value = 0;
        size_t start = text_.find_first_not_of(" \t\n+");
        if (start == std::string::npos) return 0;
        auto [end, error] = std::from_chars(text_.data() + start, text_.data() + text_.size(), value);
        return error == std::errc() ? value : 0;
    }
    default: return fallback;
    }
}

std::string PlistValue::toString(const std::string& fallback) const {
    switch (type_) {
    case Type::String: return text_;
    case Type::Integer: return std::to_string(integer_);
    default: return fallback;
    }
}

const PlistValue::Array& PlistValue::array() const {
    static const Array empty;
    return type_ == Type::Array ? array_ : empty;
}

const PlistValue::Dictionary& PlistValue::dictionary() const {
    static const Dictionary empty;
    return type_ == Type::Dictionary ? dictionary_ : empty;
}

PlistValue::Array& PlistValue::mutableArray() {
    if (type_ != Type::Array) *this = PlistValue(Array{});
    return array_;
}

PlistValue::Dictionary& PlistValue::mutableDictionary() {
    if (type_ != Type::Dictionary) *this = PlistValue(Dictionary{});
    return dictionary_;
}

const PlistValue* PlistValue::find(const std::string& key) const {
    if (type_ != Type::Dictionary) return nullptr;
    auto found = dictionary_.find(key);
    return found == dictionary_.end() ? nullptr : &found->second;
}

const PlistValue& PlistValue::operator[](const std::string& key) const {
    const PlistValue* value = find(key);
    return value ? *value : nullValue();
}

void PlistValue::set(const std::string& key, PlistValue value) { mutableDictionary()[key] = std::move(value); }

void PlistValue::remove(const std::string& key) {
    if (type_ == Type::Dictionary) dictionary_.erase(key);
}

void PlistValue::append(PlistValue value) { mutableArray().push_back(std::move(value)); }

bool PlistValue::operator==(const PlistValue& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
    case Type::Null: return true;
    case Type::Boolean: return flag_ == other.flag_;
    case Type::Integer: return integer_ == other.integer_;
    case Type::Real:
    case Type::Date: return number_ == other.number_;
    case Type::String:
    case Type::Data: return text_ == other.text_;
    case Type::Array: return array_ == other.array_;
    case Type::Dictionary: return dictionary_ == other.dictionary_;
    }
    return false;
}

std::optional<PlistValue> PlistValue::fromBytes(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > UINT32_MAX || !PlistLibrary::loaded() || !PlistBounds::admits(bytes))
        return std::nullopt;
    plist_t node = nullptr;
    plist().plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &node);
    if (!node) return std::nullopt;
    PlistHandle handle(node);
    return fromNode(node);
}

std::optional<PlistValue> PlistValue::readFile(const std::string& path) {
    auto content = readRegularFile(path, kLargestFile);
    if (!content) {
        if (errno != ENOENT) logWarning("cannot read the property list " + path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    auto value = fromBytes(*content);
    if (!value) logWarning("not a property list: " + path);
    return value;
}

std::string PlistValue::toXml() const {
    if (!PlistLibrary::loaded()) return "";
    PlistHandle handle(toNode(*this));
    char* xml = nullptr;
    uint32_t length = 0;
    plist().plist_to_xml(handle.get(), &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    free(xml);
    return result;
}

// Nothing is written when no text could be made: the file keeps what it held.
bool PlistValue::writeFile(const std::string& path) const {
    const std::string xml = toXml();
    return !xml.empty() && writeFileAtomically(path, xml, 0644);
}

}  // namespace platform

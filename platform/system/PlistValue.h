#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A property-list value (XML or binary), read and written through libplist. Readers are
// lenient the way the tools' callers are: asking a value for the wrong type gives a neutral
// answer instead of failing, so a broken list degrades to "not found".
class PlistValue {
public:
    enum class Type { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };
    using Array = std::vector<PlistValue>;
    using Dictionary = std::map<std::string, PlistValue>;

    PlistValue() = default;
    PlistValue(bool value);
    PlistValue(int value);
    PlistValue(int64_t value);
    PlistValue(uint64_t value);
    PlistValue(double value);
    PlistValue(const char* value);
    PlistValue(std::string value);
    PlistValue(Array value);
    PlistValue(Dictionary value);
    static PlistValue data(std::string bytes);
    // Seconds since 2001-01-01 00:00:00 UTC, the property-list epoch.
    static PlistValue date(double secondsSince2001);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isDictionary() const { return type_ == Type::Dictionary; }
    bool isArray() const { return type_ == Type::Array; }
    bool isString() const { return type_ == Type::String; }

    // A string reads as a number or a flag the way Foundation's boolValue/integerValue do.
    bool toBool(bool fallback = false) const;
    int64_t toInteger(int64_t fallback = 0) const;
    double toReal(double fallback = 0) const;
    std::string toString(const std::string& fallback = "") const;
    const std::string& bytes() const { return text_; }
    double dateValue() const { return number_; }

    const Array& array() const;
    const Dictionary& dictionary() const;
    Array& mutableArray();
    Dictionary& mutableDictionary();

    // Dictionary access: a missing key (or a value that is no dictionary) gives Null.
    const PlistValue& operator[](const std::string& key) const;
    const PlistValue* find(const std::string& key) const;
    bool contains(const std::string& key) const { return find(key) != nullptr; }
    void set(const std::string& key, PlistValue value);
    void remove(const std::string& key);
    void append(PlistValue value);

    bool operator==(const PlistValue& other) const;
    bool operator!=(const PlistValue& other) const { return !(*this == other); }

    // XML or binary text; nothing when it is not a property list, or one nested too deeply or
    // unfolding too far to be read safely (PlistBounds).
    static std::optional<PlistValue> fromBytes(std::string_view bytes);
    // A regular file of at most 1 MiB only (a FIFO or device in its place is never waited on);
    // a missing file quietly gives nothing, any other failure with a log line.
    static std::optional<PlistValue> readFile(const std::string& path);
    std::string toXml() const;
    // Written through a temporary file and a rename, so a reader never sees half a list.
    bool writeFile(const std::string& path) const;

private:
    Type type_ = Type::Null;
    bool flag_ = false;
    int64_t integer_ = 0;
    double number_ = 0;
    std::string text_;
    Array array_;
    Dictionary dictionary_;
};

}  // namespace platform

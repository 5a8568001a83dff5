#include "app/PropertyText.h"

#include "app/IniFile.h"

#include <QLocale>
#include <QMetaEnum>
#include <charconv>
#include <optional>

namespace {

bool isSingleBit(int value) {
    return value != 0 && (value & (value - 1)) == 0;
}

std::optional<int> enumValue(const QMetaEnum& enumerator, std::string_view name) {
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (equalsIgnoringCase(enumerator.key(i), name)) {
            return enumerator.value(i);
        }
    }
    return std::nullopt;
}

std::string setToText(const QMetaEnum& enumerator, int value) {
    std::string text = "[";
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        const int member = enumerator.value(i);
        if (isSingleBit(member) && (value & member) == member) {
            if (text.size() > 1) {
                text += ',';
            }
            text += enumerator.key(i);
        }
    }
    return text + "]";
}

std::optional<int> setFromText(const QMetaEnum& enumerator, std::string_view text) {
    if (text.starts_with('[') && text.ends_with(']')) {
        text = text.substr(1, text.size() - 2);
    }
    int value = 0;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view name = trimBlanks(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (name.empty()) {
            continue;
        }
        const std::optional<int> member = enumValue(enumerator, name);
        if (!member || !isSingleBit(*member)) {
            return std::nullopt;
        }
        value |= *member;
    }
    return value;
}

template <typename T>
std::string floatToText(T value) {
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <typename T>
std::optional<T> floatFromText(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    T value{};
    const std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (!text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size()) {
        return value;
    }
    // Files written by hand in a locale with a decimal comma.
    bool ok = false;
    const double local = QLocale().toDouble(
        QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())), &ok);
    if (ok) {
        return static_cast<T>(local);
    }
    return std::nullopt;
}

} // namespace

std::string propertyToText(const TrtProperty& property) {
    const QMetaProperty& meta = property.metaProperty();
    const QVariant value = property.read();
    switch (property.kind()) {
    case TrtPropertyKind::rkInteger:
        return std::to_string(value.toLongLong());
    case TrtPropertyKind::rkEnumeration: {
        if (meta.metaType().id() == QMetaType::Bool) {
            return value.toBool() ? "True" : "False";
        }
        const int number = value.toInt();
        const char* key = meta.enumerator().valueToKey(number);
        return key != nullptr ? std::string(key) : std::to_string(number);
    }
    case TrtPropertyKind::rkSet:
        return setToText(meta.enumerator(), value.toInt());
    case TrtPropertyKind::rkText:
        switch (meta.metaType().id()) {
        case QMetaType::QString:
            return value.toString().toLocal8Bit().toStdString();
        case QMetaType::QByteArray:
            return value.toByteArray().toStdString();
        default:
            return value.value<std::string>();
        }
    case TrtPropertyKind::rkFloat:
        if (meta.metaType().id() == QMetaType::Float) {
            return floatToText(value.toFloat());
        }
        return floatToText(value.toDouble());
    case TrtPropertyKind::rkObject:
    case TrtPropertyKind::rkStringList:
    case TrtPropertyKind::rkUnsupported:
        break;
    }
    return {};
}

bool propertyFromText(const TrtProperty& property, std::string_view text) {
    const QMetaProperty& meta = property.metaProperty();
    const std::string_view trimmed = trimBlanks(text);
    switch (property.kind()) {
    case TrtPropertyKind::rkInteger: {
        std::optional<int64_t> number = parseIniInteger(trimmed);
        if (!number || *number < property.minimum() || *number > property.maximum()) {
            number = 0;
        }
        return property.write(QVariant(static_cast<qlonglong>(*number)));
    }
    case TrtPropertyKind::rkEnumeration: {
        if (meta.metaType().id() == QMetaType::Bool) {
            if (equalsIgnoringCase(trimmed, "True") || equalsIgnoringCase(trimmed, "False")) {
                return property.write(QVariant(equalsIgnoringCase(trimmed, "True")));
            }
            return false;
        }
        std::optional<int> number = enumValue(meta.enumerator(), trimmed);
        if (!number) {
            // A declared value by number; any other number could put a value
            // outside the enumeration's range into the object.
            const std::optional<int64_t> parsed = parseIniInteger(trimmed);
            if (parsed && *parsed >= INT32_MIN && *parsed <= INT32_MAX &&
                meta.enumerator().valueToKey(static_cast<int>(*parsed)) != nullptr) {
                number = static_cast<int>(*parsed);
            }
        }
        return number && property.write(QVariant(*number));
    }
    case TrtPropertyKind::rkSet: {
        const std::optional<int> members = setFromText(meta.enumerator(), trimmed);
        return members && property.write(QVariant(*members));
    }
    case TrtPropertyKind::rkText:
        switch (meta.metaType().id()) {
        case QMetaType::QString:
            return property.write(
                QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
        case QMetaType::QByteArray:
            return property.write(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
        default:
            return property.write(QVariant::fromValue(std::string(text)));
        }
    case TrtPropertyKind::rkFloat:
        if (meta.metaType().id() == QMetaType::Float) {
            const std::optional<float> number = floatFromText<float>(trimmed);
            return number && property.write(QVariant(*number));
        }
        if (const std::optional<double> number = floatFromText<double>(trimmed)) {
            return property.write(QVariant(*number));
        }
        return false;
    case TrtPropertyKind::rkObject:
    case TrtPropertyKind::rkStringList:
    case TrtPropertyKind::rkUnsupported:
        break;
    }
    return false;
}

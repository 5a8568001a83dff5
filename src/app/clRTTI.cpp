#include "app/clRTTI.h"

#include "app/IniFile.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

template <typename T>
constexpr std::pair<int64_t, int64_t> rangeOf() {
    return {static_cast<int64_t>(std::numeric_limits<T>::min()),
            static_cast<int64_t>(std::numeric_limits<T>::max())};
}

// The range of an integer type of up to 32 bits, or nothing for other types.
std::optional<std::pair<int64_t, int64_t>> integerRange(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Int:
        return rangeOf<int>();
    case QMetaType::UInt:
        return rangeOf<unsigned int>();
    case QMetaType::Short:
        return rangeOf<short>();
    case QMetaType::UShort:
        return rangeOf<unsigned short>();
    case QMetaType::Char:
        return rangeOf<char>();
    case QMetaType::SChar:
        return rangeOf<signed char>();
    case QMetaType::UChar:
        return rangeOf<unsigned char>();
    case QMetaType::Long:
        if constexpr (sizeof(long) <= 4) {
            return rangeOf<long>();
        }
        return std::nullopt;
    case QMetaType::ULong:
        if constexpr (sizeof(unsigned long) <= 4) {
            return rangeOf<unsigned long>();
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

TrtPropertyKind kindOf(QObject& object, const QMetaProperty& property) {
    const QMetaType type = property.metaType();
    if (property.isFlagType()) {
        return TrtPropertyKind::rkSet;
    }
    if (property.isEnumType() || type.id() == QMetaType::Bool) {
        return TrtPropertyKind::rkEnumeration;
    }
    if (integerRange(type)) {
        return TrtPropertyKind::rkInteger;
    }
    switch (type.id()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return TrtPropertyKind::rkText;
    case QMetaType::Double:
    case QMetaType::Float:
        return TrtPropertyKind::rkFloat;
    case QMetaType::QStringList:
        return TrtPropertyKind::rkStringList;
    default:
        break;
    }
    if (type == QMetaType::fromType<std::string>()) {
        return TrtPropertyKind::rkText;
    }
    if (type.flags().testFlag(QMetaType::PointerToQObject)) {
        const QObject* nested = qvariant_cast<QObject*>(property.read(&object));
        if (nested != nullptr && nested->parent() == &object) {
            return TrtPropertyKind::rkObject;
        }
    }
    return TrtPropertyKind::rkUnsupported;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
        });
    if (less || !equalsIgnoringCase(a, b)) {
        return less;
    }
    // Names that differ only in case keep a fixed order.
    return a < b;
}

} // namespace

TrtProperty::TrtProperty(QObject& object, const QMetaProperty& property)
    : m_object(&object), m_property(property), m_name(property.name()),
      m_kind(kindOf(object, property)) {}

QVariant TrtProperty::read() const {
    return m_property.read(m_object);
}

bool TrtProperty::write(const QVariant& value) const {
    return m_property.write(m_object, value);
}

QObject* TrtProperty::nestedObject() const {
    return m_kind == TrtPropertyKind::rkObject ? qvariant_cast<QObject*>(read()) : nullptr;
}

int64_t TrtProperty::minimum() const {
    return integerRange(m_property.metaType()).value_or(std::pair<int64_t, int64_t>{0, 0}).first;
}

int64_t TrtProperty::maximum() const {
    return integerRange(m_property.metaType()).value_or(std::pair<int64_t, int64_t>{0, 0}).second;
}

TrtWrapper::TrtWrapper(QObject& object) {
    const QMetaObject* meta = object.metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // A property a subclass declares again is listed once, as the subclass's.
        if (meta->indexOfProperty(property.name()) != i) {
            continue;
        }
        if (property.isReadable() && property.isWritable()) {
            m_properties.emplace_back(object, property);
        }
    }
    std::stable_sort(m_properties.begin(), m_properties.end(),
                     [](const TrtProperty& a, const TrtProperty& b) {
                         return lessIgnoringCase(a.name(), b.name());
                     });
}

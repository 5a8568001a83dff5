// A QObject's persisted properties as the serializers see them: TrtWrapper
// lists, sorted by name, every property of the object's meta-object table
// (Q_PROPERTY) that can be both read and written, and tells each one's kind.
#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QVariant>
#include <cstdint>
#include <string>
#include <vector>

enum class TrtPropertyKind {
    // Signed or unsigned integers of up to 32 bits and narrow characters.
    rkInteger,
    // bool and Q_ENUM enumerations.
    rkEnumeration,
    // Q_FLAG flags.
    rkSet,
    // QString, QByteArray, std::string.
    rkText,
    // double and float.
    rkFloat,
    // A QObject owned by the object (one of its children): its properties
    // form a subsection.
    rkObject,
    // QStringList.
    rkStringList,
    // Neither written nor read: 64-bit integers, wide characters, variants,
    // other value types, and pointers to objects the object does not own
    // (following those could loop or reach into other windows).
    rkUnsupported,
};

class TrtProperty {
public:
    TrtProperty(QObject& object, const QMetaProperty& property);

    const std::string& name() const { return m_name; }
    TrtPropertyKind kind() const { return m_kind; }
    const QMetaProperty& metaProperty() const { return m_property; }

    QVariant read() const;
    // Converts value to the property's type first; false when the conversion
    // or the write fails.
    bool write(const QVariant& value) const;

    // The owned object of an rkObject property, else nullptr.
    QObject* nestedObject() const;

    // The range of an rkInteger property's type.
    int64_t minimum() const;
    int64_t maximum() const;

private:
    QObject* m_object;
    QMetaProperty m_property;
    std::string m_name;
    TrtPropertyKind m_kind;
};

using TrtPropertyList = std::vector<TrtProperty>;

class TrtWrapper {
public:
    // QObject's own objectName is left out: it names the object in code and
    // is no setting.
    explicit TrtWrapper(QObject& object);

    // Sorted by name without regard to ASCII letter case.
    const TrtPropertyList& properties() const { return m_properties; }

private:
    TrtPropertyList m_properties;
};

// The generic serializers: every persisted property of a QObject (see
// clRTTI.h) written as keys of one section of a file and read back.
// TclIniSerializer stores sections of an INI file; nested objects and string
// lists become subsections named section + "\" + property name.
#pragma once

#include <QObject>
#include <stdexcept>
#include <string>

class TIniFile;

// Values of a section that could not be converted. Every other property was
// still read; the ones named in the message kept their values.
class TSerializerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TclAbstractSerializer {
public:
    virtual ~TclAbstractSerializer() = default;

    // Reads every property stored in section of the file; properties the
    // file does not hold keep their values. Throws TSerializerError for
    // values that cannot be converted, std::runtime_error when the file
    // cannot be read.
    virtual void LoadObjFromFile(QObject& object, const std::string& fileName,
                                 const std::string& section) const = 0;

    // Replaces section of the file with every property of the object; the
    // rest of the file is kept. Throws std::runtime_error when the file cannot
    // be read or written.
    virtual void SaveObjToFile(QObject& object, const std::string& fileName,
                               const std::string& section) const = 0;
};

class TclIniSerializer final : public TclAbstractSerializer {
public:
    void LoadObjFromFile(QObject& object, const std::string& fileName,
                         const std::string& section) const override {
        LoadObjFromIniFile(object, fileName, section);
    }
    void SaveObjToFile(QObject& object, const std::string& fileName,
                       const std::string& section) const override {
        SaveObjToIniFile(object, fileName, section);
    }

    // A missing file leaves every property as it is.
    void LoadObjFromIniFile(QObject& object, const std::string& fileName,
                            const std::string& section) const;
    // The file is created when missing.
    void SaveObjToIniFile(QObject& object, const std::string& fileName,
                          const std::string& section) const;

    // The same on a file in memory, for callers that write several sections
    // at once.
    void loadObject(QObject& object, const TIniFile& file, const std::string& section) const;
    void saveObject(QObject& object, TIniFile& file, const std::string& section) const;
};

// The program's one INI serializer, created on first use.
const TclIniSerializer& iniSerializer();

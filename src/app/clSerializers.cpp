#include "app/clSerializers.h"

#include "app/IniFile.h"
#include "app/PropertyText.h"
#include "app/clRTTI.h"

#include <QStringList>
#include <vector>

namespace {

std::string subsectionName(const std::string& section, const TrtProperty& property) {
    return section + "\\" + property.name();
}

// A value for an error message, cut short: the line may be anything.
std::string shownValue(const std::string& text) {
    static constexpr size_t MaxShown = 60;
    return text.size() <= MaxShown ? text : text.substr(0, MaxShown) + "...";
}

std::string lineKey(qsizetype index) {
    return "Line" + std::to_string(index);
}

void loadInto(QObject& object, const TIniFile& file, const std::string& section,
              std::vector<std::string>& errors) {
    const TrtWrapper wrapper(object);
    for (const TrtProperty& property : wrapper.properties()) {
        switch (property.kind()) {
        case TrtPropertyKind::rkUnsupported:
            break;
        case TrtPropertyKind::rkObject: {
            const std::string subsection = subsectionName(section, property);
            if (file.hasSection(subsection)) {
                loadInto(*property.nestedObject(), file, subsection, errors);
            }
            break;
        }
        case TrtPropertyKind::rkStringList: {
            const std::string subsection = subsectionName(section, property);
            if (!file.hasSection(subsection)) {
                break;
            }
            QStringList lines;
            while (const std::optional<std::string> line =
                       file.value(subsection, lineKey(lines.size()))) {
                lines.append(
                    QString::fromLocal8Bit(line->data(), static_cast<qsizetype>(line->size())));
            }
            property.write(lines);
            break;
        }
        default:
            if (const std::optional<std::string> text = file.value(section, property.name())) {
                if (!propertyFromText(property, *text)) {
                    errors.push_back("\"" + shownValue(*text) + "\" is not a valid value for \"" +
                                     property.name() + "\" in section \"" + section + "\".");
                }
            }
            break;
        }
    }
}

} // namespace

void TclIniSerializer::loadObject(QObject& object, const TIniFile& file,
                                  const std::string& section) const {
    std::vector<std::string> errors;
    loadInto(object, file, section, errors);
    if (!errors.empty()) {
        std::string message;
        for (const std::string& error : errors) {
            message += message.empty() ? "" : "\n";
            message += error;
        }
        throw TSerializerError(message);
    }
}

void TclIniSerializer::saveObject(QObject& object, TIniFile& file,
                                  const std::string& section) const {
    file.eraseSection(section);
    // Written even when empty, so that reading it back finds the section.
    file.addSection(section);
    const TrtWrapper wrapper(object);
    for (const TrtProperty& property : wrapper.properties()) {
        switch (property.kind()) {
        case TrtPropertyKind::rkUnsupported:
            break;
        case TrtPropertyKind::rkObject:
            saveObject(*property.nestedObject(), file, subsectionName(section, property));
            break;
        case TrtPropertyKind::rkStringList: {
            const std::string subsection = subsectionName(section, property);
            file.eraseSection(subsection);
            file.addSection(subsection);
            const QStringList lines = property.read().toStringList();
            for (qsizetype i = 0; i < lines.size(); ++i) {
                file.setValue(subsection, lineKey(i), lines[i].toLocal8Bit().toStdString());
            }
            break;
        }
        default:
            file.setValue(section, property.name(), propertyToText(property));
            break;
        }
    }
}

void TclIniSerializer::LoadObjFromIniFile(QObject& object, const std::string& fileName,
                                          const std::string& section) const {
    loadObject(object, TIniFile::load(fileName), section);
}

void TclIniSerializer::SaveObjToIniFile(QObject& object, const std::string& fileName,
                                        const std::string& section) const {
    TIniFile file = TIniFile::load(fileName);
    saveObject(object, file, section);
    file.save(fileName);
}

const TclIniSerializer& iniSerializer() {
    static const TclIniSerializer serializer;
    return serializer;
}

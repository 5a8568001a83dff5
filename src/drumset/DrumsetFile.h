// Reading and writing drumset files (".dum"): an XML document with a Drumset
// root, one Group element per group and one Sample element per sample.
#pragma once

#include <stdexcept>
#include <string>

class TDrumset;

// A drumset file that cannot be read; the message is the one shown to the user.
class DrumsetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the drumset, replacing the file. The caller has run Renumber and
// brought Visible up to date.
void WriteDrumset(const TDrumset& drumset, const std::string& fileName);

// Replaces the drumset's contents with the file's. A missing file changes
// nothing. On an error the drumset keeps the items read before it.
void ReadDrumset(TDrumset& drumset, const std::string& fileName);

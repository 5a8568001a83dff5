// The text form of a single-valued property (integer, enumeration, set, text,
// floating point) as the serializers write it, and reading it back.
#pragma once

#include "app/clRTTI.h"

#include <string>
#include <string_view>

// Integers in decimal; Booleans "True" or "False"; enumerations by name (a
// value without a name in decimal); sets as "[A,B]"; texts as they are
// (QString as local 8-bit text); floating point in the shortest form that
// reads back exactly, with "." whatever the locale.
std::string propertyToText(const TrtProperty& property);

// Sets the property from its text form. An integer that does not parse or
// does not fit the type reads as 0. Returns false, leaving the property as it
// was, for a Boolean that is neither "True" nor "False", an unknown
// enumeration or set name (an enumeration also takes the number of one of its
// values), or a number that does not parse (numbers in the default locale's
// form are accepted too). Letter case and blanks around names and numbers are
// ignored; texts are taken as they are.
bool propertyFromText(const TrtProperty& property, std::string_view text);

// TXMLFilter and TXMLFilterAtom: one step of a FindNode path, an element
// name or a list of bracketed predicates on attributes and child texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TXMLNode;

// Operator codes of a predicate. The "i" forms ignore letter case; ge, gt,
// le and lt compare numbers, their "i" forms compare text.
enum TXMLFilterOperator : int32_t {
    opNone = 0, // the attribute or child only has to exist
    opEq = 1,
    opIEq = 2,
    opNe = 3,
    opINe = 4,
    opGe = 5,
    opIGe = 6,
    opLe = 7,
    opILe = 8,
    opGt = 9,
    opIGt = 10,
    opLt = 11,
    opILt = 12,
};

struct TXMLFilterAtom {
    std::string Name;
    std::string Value;
    int32_t Operator = opNone;
    bool IsAttribute = false;

    // The text between "[" and "]"; none when it does not parse.
    static std::optional<TXMLFilterAtom> parse(std::string_view predicate);
    // Whether a node's value (an attribute value or a child's text) passes.
    bool holdsForValue(std::string_view value) const;
    bool holdsFor(const TXMLNode& node) const;
};

struct TXMLFilter {
    std::string Name;
    std::vector<TXMLFilterAtom> Atoms;

    static TXMLFilter parse(std::string_view step);
    // Without atoms the name must match; with atoms only the atoms count.
    bool matches(const TXMLNode& node) const;
};

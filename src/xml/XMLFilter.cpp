#include "xml/XMLFilter.h"

#include "xml/XMLNode.h"
#include "xml/XMLText.h"

namespace {

struct OperatorText {
    std::string_view text;
    int32_t code;
};

// Searched in this order; the first one present wins, wherever it stands.
constexpr OperatorText operatorTable[] = {
    {" $ne$ ", opNe}, {" $ine$ ", opINe}, {" $ge$ ", opGe}, {" $ige$ ", opIGe},
    {" $gt$ ", opGt}, {" $igt$ ", opIGt}, {" $le$ ", opLe}, {" $ile$ ", opILe},
    {" $lt$ ", opLt}, {" $ilt$ ", opILt}, {" $eq$ ", opEq}, {" $ieq$ ", opIEq},
    {" = ", opEq},
};

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// Numeric comparison; a side that is not a number makes it fail.
template <typename Compare>
bool compareNumbers(std::string_view v, std::string_view p, Compare compare) {
    const auto a = xmltext::toNumber(v);
    const auto b = xmltext::toNumber(p);
    return a && b && compare(*a, *b);
}

} // namespace

std::optional<TXMLFilterAtom> TXMLFilterAtom::parse(std::string_view predicate) {
    TXMLFilterAtom atom;
    if (!predicate.empty() && predicate.front() == '@') {
        atom.IsAttribute = true;
        predicate.remove_prefix(1);
    }
    for (const OperatorText& op : operatorTable) {
        const size_t at = predicate.find(op.text);
        if (at == std::string_view::npos) {
            continue;
        }
        std::string_view value = xmltext::trimControl(predicate.substr(at + op.text.size()));
        if (!value.empty() && isQuote(value.front())) {
            value.remove_prefix(1);
        }
        if (!value.empty() && isQuote(value.back())) {
            value.remove_suffix(1);
        }
        atom.Operator = op.code;
        atom.Name = xmltext::trimControl(predicate.substr(0, at));
        atom.Value = value;
        if (atom.Name.empty() || atom.Value.empty()) {
            return std::nullopt;
        }
        return atom;
    }
    atom.Operator = opNone;
    atom.Name = predicate;
    return atom;
}

bool TXMLFilterAtom::holdsForValue(std::string_view v) const {
    const std::string_view p = Value;
    switch (Operator) {
    case opNone:
        return true;
    case opEq:
        return v == p;
    case opIEq:
        return xmltext::equalsIgnoreCase(v, p);
    case opNe:
        return v != p;
    case opINe:
        return !xmltext::equalsIgnoreCase(v, p);
    case opGe:
        return compareNumbers(v, p, [](double a, double b) { return a >= b; });
    case opGt:
        return compareNumbers(v, p, [](double a, double b) { return a > b; });
    case opLe:
        return compareNumbers(v, p, [](double a, double b) { return a <= b; });
    case opLt:
        return compareNumbers(v, p, [](double a, double b) { return a < b; });
    case opIGe:
        return xmltext::compareIgnoreCase(v, p) >= 0;
    case opIGt:
        return xmltext::compareIgnoreCase(v, p) > 0;
    case opILe:
        return xmltext::compareIgnoreCase(v, p) <= 0;
    case opILt:
        return xmltext::compareIgnoreCase(v, p) < 0;
    default:
        return false;
    }
}

bool TXMLFilterAtom::holdsFor(const TXMLNode& node) const {
    if (!IsAttribute) {
        const TXMLNode* child = node.FindChild(Name);
        return child != nullptr && holdsForValue(child->Text);
    }
    if (Name == "*") {
        for (const auto& attribute : node.Attributes) {
            if (holdsForValue(attribute->Value)) {
                return true;
            }
        }
        return false;
    }
    const TXMLAttribute* attribute = node.FindAttribute(Name);
    return attribute != nullptr && holdsForValue(attribute->Value);
}

TXMLFilter TXMLFilter::parse(std::string_view step) {
    TXMLFilter filter;
    const size_t bracket = step.find('[');
    if (bracket == std::string_view::npos) {
        filter.Name = step;
        return filter;
    }
    filter.Name = step.substr(0, bracket);
    std::string_view rest = step.substr(bracket);
    while (true) {
        rest = xmltext::trimControl(rest);
        const size_t open = rest.find('[');
        if (open == std::string_view::npos) {
            break;
        }
        const size_t close = rest.find(']', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        const std::string_view predicate = rest.substr(open + 1, close - open - 1);
        if (predicate.empty()) {
            break;
        }
        auto atom = TXMLFilterAtom::parse(predicate);
        if (!atom) {
            break;
        }
        filter.Atoms.push_back(std::move(*atom));
        rest = rest.substr(close + 1);
    }
    return filter;
}

bool TXMLFilter::matches(const TXMLNode& node) const {
    if (Atoms.empty()) {
        return node.Name == Name;
    }
    for (const TXMLFilterAtom& atom : Atoms) {
        if (!atom.holdsFor(node)) {
            return false;
        }
    }
    return true;
}

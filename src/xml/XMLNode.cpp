#include "xml/XMLNode.h"

#include "xml/XMLFilter.h"

#include <utility>

TXMLNode::TXMLNode(std::string name, std::string text)
    : Name(std::move(name)), Text(std::move(text)) {}

TXMLNode::~TXMLNode() {
    clearChildren();
}

void TXMLNode::clearChildren() {
    // Flatten the subtree so that every node dies without children of its
    // own; a file nested a million levels deep must not exhaust the stack.
    std::vector<std::unique_ptr<TXMLNode>> pending = std::move(Children);
    Children.clear();
    while (!pending.empty()) {
        std::unique_ptr<TXMLNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Children) {
            pending.push_back(std::move(child));
        }
        node->Children.clear();
    }
}

TXMLAttribute* TXMLNode::AddAttribute(std::string name, std::string value) {
    Attributes.push_back(
        std::make_unique<TXMLAttribute>(TXMLAttribute{std::move(name), std::move(value)}));
    return Attributes.back().get();
}

TXMLNode* TXMLNode::AddChild(std::string name, std::string text) {
    auto child = std::make_unique<TXMLNode>(std::move(name), std::move(text));
    child->Parent = this;
    child->m_indexHint = Children.size();
    Children.push_back(std::move(child));
    return Children.back().get();
}

const TXMLAttribute* TXMLNode::FindAttribute(std::string_view name) const {
    for (const auto& attribute : Attributes) {
        if (attribute->Name == name) {
            return attribute.get();
        }
    }
    return nullptr;
}

TXMLAttribute* TXMLNode::FindAttribute(std::string_view name) {
    return const_cast<TXMLAttribute*>(std::as_const(*this).FindAttribute(name));
}

const TXMLNode* TXMLNode::FindChild(std::string_view name) const {
    for (const auto& child : Children) {
        if (child->Name == name) {
            return child.get();
        }
    }
    return nullptr;
}

TXMLNode* TXMLNode::FindChild(std::string_view name) {
    return const_cast<TXMLNode*>(std::as_const(*this).FindChild(name));
}

const TXMLNode* TXMLNode::FirstChild() const {
    return Children.empty() ? nullptr : Children.front().get();
}

TXMLNode* TXMLNode::FirstChild() {
    return const_cast<TXMLNode*>(std::as_const(*this).FirstChild());
}

const TXMLNode* TXMLNode::NextSibling() const {
    if (Parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = Parent->Children;
    size_t index = m_indexHint;
    if (index >= siblings.size() || siblings[index].get() != this) {
        // Children were rearranged by hand since the hint was taken.
        index = 0;
        while (index < siblings.size() && siblings[index].get() != this) {
            ++index;
        }
        if (index == siblings.size()) {
            return nullptr;
        }
        m_indexHint = index;
    }
    if (index + 1 >= siblings.size()) {
        return nullptr;
    }
    const TXMLNode* next = siblings[index + 1].get();
    next->m_indexHint = index + 1;
    return next;
}

TXMLNode* TXMLNode::NextSibling() {
    return const_cast<TXMLNode*>(std::as_const(*this).NextSibling());
}

const TXMLNode* TXMLNode::FindNode(std::string_view path) const {
    if (Children.empty()) {
        return nullptr;
    }
    const size_t slash = path.find('/');
    if (slash == std::string_view::npos) {
        const TXMLFilter step = TXMLFilter::parse(path);
        for (const auto& child : Children) {
            if (step.matches(*child)) {
                return child.get();
            }
        }
        return nullptr;
    }
    const TXMLFilter step = TXMLFilter::parse(path.substr(0, slash));
    const std::string_view rest = path.substr(slash + 1);
    for (const auto& child : Children) {
        if (step.matches(*child)) {
            if (const TXMLNode* found = child->FindNode(rest)) {
                return found;
            }
        }
    }
    return nullptr;
}

TXMLNode* TXMLNode::FindNode(std::string_view path) {
    return const_cast<TXMLNode*>(std::as_const(*this).FindNode(path));
}

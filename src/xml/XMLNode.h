// TXMLNode and TXMLAttribute: one element of the XML document tree with its
// attributes, text and child elements, and the ways callers move through it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TXMLAttribute {
    std::string Name;
    std::string Value;
};

// How an element's Text was read and how it is written again.
enum class TXMLTextKind { tkPlain, tkCDATA };

class TXMLNode {
public:
    explicit TXMLNode(std::string name = {}, std::string text = {});
    virtual ~TXMLNode();
    TXMLNode(const TXMLNode&) = delete;
    TXMLNode& operator=(const TXMLNode&) = delete;

    TXMLAttribute* AddAttribute(std::string name, std::string value);
    // The new child has plain text and this node as its Parent.
    TXMLNode* AddChild(std::string name, std::string text = {});

    TXMLAttribute* FindAttribute(std::string_view name);
    const TXMLAttribute* FindAttribute(std::string_view name) const;
    TXMLNode* FindChild(std::string_view name);
    const TXMLNode* FindChild(std::string_view name) const;
    TXMLNode* FirstChild();
    const TXMLNode* FirstChild() const;
    TXMLNode* NextSibling();
    const TXMLNode* NextSibling() const;
    bool HasChildren() const { return !Children.empty(); }

    // A descendant chosen by a path of filter steps separated by "/", such
    // as "Drumset/Group[@Caption $ieq$ 'Toms']/Sample"; none when no match.
    TXMLNode* FindNode(std::string_view path);
    const TXMLNode* FindNode(std::string_view path) const;

    // Frees all children; deep trees are freed without deep recursion.
    void clearChildren();

    std::string Name;
    std::string Text;
    TXMLTextKind TextKind = TXMLTextKind::tkPlain;
    TXMLNode* Parent = nullptr;
    std::vector<std::unique_ptr<TXMLNode>> Children;
    std::vector<std::unique_ptr<TXMLAttribute>> Attributes;

private:
    // Where this node sat in its parent's Children when last seen, so that a
    // walk by NextSibling stays linear; checked before use.
    mutable size_t m_indexHint = 0;
};

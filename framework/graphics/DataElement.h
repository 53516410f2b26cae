#pragma once

#include <string>
#include <vector>

namespace Quib
{

// One value of a font descriptor command: a word, number or quoted text
// (SingleDataElement), or a parenthesised list of values (ListDataElement).
class DataElement
{
public:
    DataElement() = default;
    virtual ~DataElement() = default;
    virtual DataElement* Clone() = 0;

    bool mIsList = false;

protected:
    DataElement(const DataElement&) = default;
    DataElement& operator=(const DataElement&) = default;
};

class SingleDataElement : public DataElement
{
public:
    SingleDataElement() = default;
    explicit SingleDataElement(const std::string& text) : mString(text) {}
    DataElement* Clone() override;

    std::string mString;
};

class ListDataElement : public DataElement
{
public:
    ListDataElement();
    ListDataElement(const ListDataElement& other);
    ListDataElement& operator=(const ListDataElement& other);
    ~ListDataElement() override;
    DataElement* Clone() override;

    // Owned; deleted with the list.
    std::vector<DataElement*> mElementVector;
};

} // namespace Quib

#pragma once

#include "grammar/BNFelement.h"

#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

namespace baudrill {

// The elements of one article, owned, in the order they were appended, with a
// membership test that never dereferences the pointer it is given (so an
// element of another, possibly deleted article is simply not found).
class ElementList {
public:
    BNFelement* Add(std::unique_ptr<BNFelement> element)
    {
        BNFelement* raw = element.get();
        members_.insert(raw);
        elements_.push_back(std::move(element));
        return raw;
    }

    bool Contains(const BNFelement* element) const { return members_.count(element) != 0; }

    std::size_t size() const { return elements_.size(); }
    bool empty() const { return elements_.empty(); }
    BNFelement* operator[](std::size_t i) const { return elements_[i].get(); }

    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    std::vector<std::unique_ptr<BNFelement>> elements_;
    std::unordered_set<const BNFelement*> members_;
};

}  // namespace baudrill

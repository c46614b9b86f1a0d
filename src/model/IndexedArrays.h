#pragma once

#include <QHash>
#include <memory>
#include <vector>

// Arrays of owned model objects found by id through an index, id -> position, in which the first
// of equal ids keeps the entry. The campaign and the volumes keep their objects so.

namespace pelko_wave {

// Null when i is out of range.
template <typename T> T* ElementAt(const std::vector<std::unique_ptr<T>>& elements, int i)
{
    return i >= 0 && size_t(i) < elements.size() ? elements[size_t(i)].get() : nullptr;
}

// Null when the index has no entry for the id.
template <typename T>
T* ElementById(const std::vector<std::unique_ptr<T>>& elements, const QHash<int, int>& index,
               int id)
{
    const auto it = index.constFind(id);
    return it == index.cend() ? nullptr : elements[size_t(*it)].get();
}

// Takes the element at the position out of the array.
template <typename T>
std::unique_ptr<T> TakeAt(std::vector<std::unique_ptr<T>>& elements, int position)
{
    std::unique_ptr<T> element = std::move(elements[size_t(position)]);
    elements.erase(elements.begin() + position);
    return element;
}

// Enters id -> position for every element.
template <typename T, typename IdOf>
void RebuildIdIndex(QHash<int, int>& index, const std::vector<std::unique_ptr<T>>& elements,
                    IdOf idOf)
{
    index.clear();
    index.reserve(qsizetype(elements.size()));
    for (size_t i = 0; i < elements.size(); ++i) {
        const int id = idOf(*elements[i]);
        if (!index.contains(id))
            index.insert(id, int(i));
    }
}

// Appends the element of that id and returns its position.
template <typename T>
int AppendIndexed(std::vector<std::unique_ptr<T>>& elements, QHash<int, int>& index, int id,
                  std::unique_ptr<T> element)
{
    const int position = int(elements.size());
    // One look-up: the entry is made only when the id has none, the first element keeping it.
    const qsizetype entries = index.size();
    int& entry = index[id];
    if (index.size() != entries)
        entry = position;
    elements.push_back(std::move(element));
    return position;
}

// Keeps the index right after an element was inserted at a position: the elements behind it
// moved one place up. Far cheaper than a rebuild when a wave adds many questions in the middle
// of a large campaign. Walking down keeps the first of equal ids.
template <typename T, typename IdOf>
void ShiftIdIndexAfterInsert(QHash<int, int>& index,
                             const std::vector<std::unique_ptr<T>>& elements, int position,
                             int insertedId, IdOf idOf)
{
    for (int i = int(elements.size()) - 1; i > position; --i) {
        const auto entry = index.find(idOf(*elements[size_t(i)]));
        if (entry != index.end() && *entry == i - 1)
            *entry = i;
    }
    const auto entry = index.find(insertedId);
    if (entry == index.end() || *entry > position)
        index.insert(insertedId, position);
}

// Takes the element at the position out and keeps the index right: the elements behind it move
// one place down, and its id's entry passes to the next element of the same id, if any.
template <typename T, typename IdOf>
std::unique_ptr<T> TakeIndexed(std::vector<std::unique_ptr<T>>& elements, QHash<int, int>& index,
                               int position, IdOf idOf)
{
    std::unique_ptr<T> element = TakeAt(elements, position);
    for (auto entry = index.begin(); entry != index.end(); ++entry) {
        if (*entry > position)
            --*entry;
    }
    const int id = idOf(*element);
    if (index.value(id, -1) == position) {
        index.remove(id);
        for (size_t i = size_t(position); i < elements.size(); ++i) {
            if (idOf(*elements[i]) == id) {
                index.insert(id, int(i));
                break;
            }
        }
    }
    return element;
}

// Takes out, in one pass, every element the predicate holds for, keeping the others in their
// order, and rebuilds the index once: removing many elements costs as much as removing one.
// The removed elements come back in their array order.
template <typename T, typename Predicate, typename IdOf>
std::vector<std::unique_ptr<T>> TakeWhere(std::vector<std::unique_ptr<T>>& elements,
                                          QHash<int, int>& index, Predicate predicate, IdOf idOf)
{
    std::vector<std::unique_ptr<T>> removed;
    auto kept = elements.begin();
    for (auto& element : elements) {
        if (predicate(*element))
            removed.push_back(std::move(element));
        else
            *kept++ = std::move(element);
    }
    elements.erase(kept, elements.end());
    if (!removed.empty())
        RebuildIdIndex(index, elements, idOf);
    return removed;
}

// Takes out the element that the index finds for the id; null when none.
template <typename T, typename IdOf>
std::unique_ptr<T> TakeById(std::vector<std::unique_ptr<T>>& elements, QHash<int, int>& index,
                            int id, IdOf idOf)
{
    const int position = index.value(id, -1);
    return position < 0 ? nullptr : TakeIndexed(elements, index, position, idOf);
}

} // namespace pelko_wave

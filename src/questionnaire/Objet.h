#pragma once

#include <memory>
#include <vector>

namespace qnr {

// Frees arrays of copies handed out by the library (`CQuestion::DonnerModalites`). The copies
// are held by std::unique_ptr, so letting the vector go out of scope frees them too; this
// empties the array at once.
class CObjet
{
public:
    template <typename T> static void DeleteArray(std::vector<std::unique_ptr<T>>& array)
    {
        array.clear();
    }
};

} // namespace qnr

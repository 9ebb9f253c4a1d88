// The library's array templates. Every list of the system is one of these,
// so that all of them share one behaviour: checked access by index, copies
// made element by element through the element's own assignment, one growth
// rule, and (in the sorted forms) a bisection with a replaceable compare
// function.
//
// The growth rule is part of the behaviour, not an accident of the storage:
// growing past the allocation adds the grow-by step to the allocation, and a
// step of 0 (the default) means an eighth of the present size, at least 4 and
// at most 1024 elements. The allocation is therefore tracked here and the
// storage is reserved to exactly that size.
//
// Archive form: the element count in the framework's count form (16 bits, or
// 0xFFFF followed by 32 bits), then each element in its own archive form
// (SerializeElements below). A stored count that the remaining data cannot
// hold raises the archive exception before anything is allocated.
#pragma once

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/Types.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <climits>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// The fewest bytes one element takes in an archive; a loader checks a stored
// count against it before it sizes an array. Specialise it for element types
// whose archive form is known to be longer.
template <class T>
struct ZelElementMinBytes {
    static constexpr std::size_t value = (std::is_arithmetic_v<T> || std::is_enum_v<T>) ? sizeof(T) : 1;
};

// Writes or reads n_count elements one after another, without a count.
// Elements with a Serialize member use it; strings take the archive's string
// form; plain numbers and enumerations are
// written as their own little-endian bytes (use the fixed-width types: the
// original's long and int are 32 bits, a Linux long is not). Specialise it
// for an element type whose form is different.
template <class T>
void SerializeElements(CArchive& ar, T* p_elements, int n_count)
{
    if constexpr (requires(T& t, CArchive& a) { t.Serialize(a); }) {
        for (int i = 0; i < n_count; ++i)
            p_elements[i].Serialize(ar);
    } else if constexpr (std::is_same_v<T, std::string> || std::is_floating_point_v<T>) {
        for (int i = 0; i < n_count; ++i) {
            if (ar.IsStoring())
                ar << p_elements[i];
            else
                ar >> p_elements[i];
        }
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
        using Word = std::conditional_t<sizeof(T) == 1, std::uint8_t,
            std::conditional_t<sizeof(T) == 2, std::uint16_t,
                std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
        for (int i = 0; i < n_count; ++i) {
            Word u_word = 0;
            if (ar.IsStoring()) {
                std::memcpy(&u_word, &p_elements[i], sizeof(T));
                ar << u_word;
            } else {
                ar >> u_word;
                std::memcpy(&p_elements[i], &u_word, sizeof(T));
            }
        }
    } else {
        static_assert(sizeof(T) == 0, "give the element a Serialize member or specialise SerializeElements");
    }
}

template <class T>
class ZelArray {
    // A vector of bool packs its bits and hands out no element references
    // or data pointer; use BOOL.
    static_assert(!std::is_same_v<T, bool>, "use ZelArray<BOOL>");

public:
    ZelArray() = default;
    ZelArray(const ZelArray& src) { Copy(src); }
    ZelArray(ZelArray&& src) noexcept
        : Elements(std::move(src.Elements)), nAlloc(src.nAlloc)
    {
        src.Elements.clear();
        src.nAlloc = 0;
    }
    ZelArray& operator=(const ZelArray& src)
    {
        Copy(src);
        return *this;
    }
    ZelArray& operator=(ZelArray&& src) noexcept
    {
        if (this != &src) {
            Elements = std::move(src.Elements);
            nAlloc = src.nAlloc;
            src.Elements.clear();
            src.nAlloc = 0;
        }
        return *this;
    }
    virtual ~ZelArray() = default;

    int GetSize() const { return static_cast<int>(Elements.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return Elements.empty(); }
    // The number of elements the present storage holds without growing.
    int GetAllocSize() const { return nAlloc; }
    // 0: the default step (an eighth of the size, 4 to 1024).
    int GetGrowBy() const { return nGrowBy; }

    // Sizes the array to n_new_size elements: new ones are default
    // constructed, dropped ones destroyed. A n_grow_by other than -1 becomes
    // the grow-by step. Size 0 also frees the storage.
    void SetSize(int n_new_size, int n_grow_by = -1)
    {
        ZEL_ASSERT(n_new_size >= 0);
        if (n_grow_by >= 0)
            nGrowBy = n_grow_by;
        if (n_new_size <= 0) {
            std::vector<T>().swap(Elements);
            nAlloc = 0;
            return;
        }
        GrowFor(n_new_size);
        Elements.resize(static_cast<std::size_t>(n_new_size));
    }

    // Makes room for n_alloc elements without constructing any, so that
    // the array can grow to that size without moving its elements.
    void Reserve(int n_alloc)
    {
        if (n_alloc <= nAlloc)
            return;
        try {
            Elements.reserve(static_cast<std::size_t>(n_alloc));
        } catch (const std::bad_alloc&) {
            throw CMemoryException();
        } catch (const std::length_error&) {
            throw CMemoryException();
        }
        nAlloc = n_alloc;
    }

    // Gives back storage beyond the present size.
    void FreeExtra()
    {
        if (nAlloc > GetSize()) {
            std::vector<T> v_exact;
            v_exact.reserve(Elements.size());
            for (T& t : Elements)
                v_exact.push_back(std::move(t));
            Elements.swap(v_exact);
            nAlloc = GetSize();
        }
    }

    void RemoveAll() { SetSize(0); }
    // No elements; unlike RemoveAll, the storage (and its allocation size)
    // stays, for a list that is filled again and again.
    void RemoveAllKeepStorage() noexcept { Elements.clear(); }

    const T& GetAt(int i_index) const
    {
        ZEL_ASSERT(IsIndex(i_index));
        return Elements[static_cast<std::size_t>(i_index)];
    }
    T& ElementAt(int i_index)
    {
        ZEL_ASSERT(IsIndex(i_index));
        return Elements[static_cast<std::size_t>(i_index)];
    }
    const T& ElementAt(int i_index) const { return GetAt(i_index); }
    T& operator[](int i_index) { return ElementAt(i_index); }
    const T& operator[](int i_index) const { return GetAt(i_index); }

    void SetAt(int i_index, const T& element) { ElementAt(i_index) = element; }

    // Sets the element at i_index, growing the array to reach it.
    void SetAtGrow(int i_index, const T& element)
    {
        ZEL_ASSERT(i_index >= 0);
        if (i_index >= GetSize()) {
            if (IsOwnElement(element)) {
                const T t_copy(element);
                SetSize(i_index + 1);
                Elements[static_cast<std::size_t>(i_index)] = t_copy;
                return;
            }
            SetSize(i_index + 1);
        }
        Elements[static_cast<std::size_t>(i_index)] = element;
    }

    // Appends one element; returns its index. The same as SetAtGrow at the
    // end (a default element assigned from the given one, room by the
    // growth rule), without resizing the storage for a single element:
    // the searches append to their lists millions of times.
    int Add(const T& element)
    {
        const int i_index = GetSize();
        if (IsOwnElement(element)) {
            const T t_copy(element);
            return Add(t_copy);
        }
        GrowFor(i_index + 1);
        Elements.emplace_back();
        Elements.back() = element;
        return i_index;
    }

    // Appends an element made in place from the arguments, by the same
    // growth rule; returns it.
    template <class... Args>
    T& AddNew(Args&&... args)
    {
        GrowFor(GetSize() + 1);
        return Elements.emplace_back(std::forward<Args>(args)...);
    }

    // Appends one element by moving it into place; returns its index. The
    // storage grows as for Add, but no default element is made first and
    // the element's own assignment is not called: use it where the moved
    // element is what an assignment would have made.
    int AddMoved(T&& element)
    {
        ZEL_ASSERT(!IsOwnElement(element));
        const int i_index = GetSize();
        GrowFor(i_index + 1);
        Elements.push_back(std::move(element));
        return i_index;
    }

    // Appends copies of every element of src; returns the index of the first.
    int Append(const ZelArray& src)
    {
        const int i_first = GetSize();
        if (this == &src) {
            const ZelArray a_copy(src);
            return Append(a_copy);
        }
        const int n_new_size = i_first + src.GetSize();
        if (n_new_size <= 0) {
            SetSize(0);
            return i_first;
        }
        // As SetSize to the new size and an assignment into each new
        // element, without resizing through the storage's general path.
        GrowFor(n_new_size);
        for (int i = 0; i < src.GetSize(); ++i) {
            Elements.emplace_back();
            Elements.back() = src.Elements[static_cast<std::size_t>(i)];
        }
        return i_first;
    }

    // Makes this array an element-wise copy of src (T's assignment; a
    // plain element type is copied as one block, which the search's trials
    // rely on for their copies of a group's counts).
    void Copy(const ZelArray& src)
    {
        if (this == &src)
            return;
        if (GetSize() != src.GetSize())
            SetSize(src.GetSize());
        std::copy(src.Elements.begin(), src.Elements.end(), Elements.begin());
    }

    // Inserts one element before i_index; an index at or past the end
    // appends. Only single insertions are supported.
    void InsertAt(int i_index, const T& element, int n_count = 1)
    {
        if (__ZelAssertOn && !(n_count == 1))
            __ZelAssert("nCount == 1", __FILE_NAME__, __LINE__, nullptr);
        ZEL_ASSERT(i_index >= 0);
        const int n_size = GetSize();
        if (i_index >= n_size) {
            Add(element);
            return;
        }
        if (IsOwnElement(element)) {
            const T t_copy(element);
            InsertAt(i_index, t_copy, 1);
            return;
        }
        SetSize(n_size + 1);
        std::move_backward(Elements.begin() + i_index, Elements.begin() + n_size, Elements.end());
        Elements[static_cast<std::size_t>(i_index)] = element;
    }

    // Removes n_count elements from i_index on and closes the gap.
    void RemoveAt(int i_index, int n_count = 1)
    {
        ZEL_ASSERT(0 <= i_index && 0 <= n_count && n_count <= GetSize() - i_index);
        Elements.erase(Elements.begin() + i_index, Elements.begin() + i_index + n_count);
    }

    T* GetData() { return Elements.data(); }
    const T* GetData() const { return Elements.data(); }

    // The count (framework count form), then each element's own form. A
    // failed load leaves the array as it was. Not virtual: an array with a
    // form of its own declares its own Serialize.
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<std::uint32_t>(GetSize()));
            SerializeElements(ar, GetData(), GetSize());
        } else {
            const std::uint32_t n_count = ar.ReadCountChecked(ZelElementMinBytes<T>::value);
            if (n_count > static_cast<std::uint32_t>(INT_MAX))
                CArchive::ThrowBadSchema("a stored array is too long");
            ZelArray a_loaded;
            a_loaded.nGrowBy = nGrowBy;
            a_loaded.SetSize(static_cast<int>(n_count));
            SerializeElements(ar, a_loaded.GetData(), a_loaded.GetSize());
            Elements.swap(a_loaded.Elements);
            std::swap(nAlloc, a_loaded.nAlloc);
        }
    }

    // 0 <= i_index < GetSize(). Every checked access asks it: it compares
    // byte offsets, which needs no division by the element size as the
    // element count does. A negative index becomes a huge unsigned offset
    // and fails as well.
    bool IsIndex(int i_index) const
    {
        const auto u_bytes = static_cast<std::size_t>(reinterpret_cast<const char*>(Elements.data() + Elements.size())
                                                      - reinterpret_cast<const char*>(Elements.data()));
        return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(i_index)) * sizeof(T) < u_bytes;
    }

protected:
    // Room for n_new_size elements by the growth rule.
    void GrowFor(int n_new_size)
    {
        if (n_new_size <= nAlloc)
            return;
        std::int64_t n_step = nGrowBy;
        if (n_step == 0)
            n_step = std::clamp(GetSize() / 8, 4, 1024);
        Reserve(static_cast<int>(std::min<std::int64_t>(
            std::max<std::int64_t>(n_new_size, std::int64_t(nAlloc) + n_step), INT_MAX)));
    }

    bool IsOwnElement(const T& element) const
    {
        const T* p = &element;
        return !Elements.empty() && !std::less<const T*>()(p, Elements.data())
            && std::less<const T*>()(p, Elements.data() + Elements.size());
    }

    std::vector<T> Elements;
    int nAlloc = 0;
    int nGrowBy = 0;
};

// An array with a compare function (two element pointers in; negative, zero
// or positive out), possibly null, and a bisection over it. The caller keeps
// the elements in the compare function's order (T's < and == when it is
// null) for the find to be meaningful.
template <class T>
class ZelArrayWithFind : public ZelArray<T> {
public:
    using CompareFunc = int (*)(const T*, const T*);

    explicit ZelArrayWithFind(CompareFunc p_compare = nullptr) : pCompare(p_compare) {}

    CompareFunc GetCompareFunc() const { return pCompare; }
    void SetCompareFunc(CompareFunc p_compare) { pCompare = p_compare; }

    // Bisection over [0, size - 1]: the index of an equal element, or -1
    // with *p_insert_at set to the first index whose element is greater.
    // Which of several equal elements is found is the one the bisection
    // meets first; callers depend on that, so the halving is kept as it is.
    int Find(const T& element, int* p_insert_at = nullptr) const
    {
        int i_low = 0;
        int i_high = this->GetSize() - 1;
        while (i_low <= i_high) {
            const int i_mid = (i_low + i_high) / 2;
            const int i_cmp = CompareElements(element, this->Elements[static_cast<std::size_t>(i_mid)]);
            if (i_cmp == 0) {
                if (p_insert_at)
                    *p_insert_at = i_mid;
                return i_mid;
            }
            if (i_cmp < 0)
                i_high = i_mid - 1;
            else
                i_low = i_mid + 1;
        }
        if (p_insert_at)
            *p_insert_at = i_low;
        return -1;
    }

    // As Find, then back over equal neighbours to the first of the run.
    int FindFirst(const T& element, int* p_insert_at = nullptr) const
    {
        int i_found = Find(element, p_insert_at);
        if (i_found < 0)
            return -1;
        while (i_found > 0 && CompareElements(element, this->Elements[static_cast<std::size_t>(i_found - 1)]) == 0)
            --i_found;
        if (p_insert_at)
            *p_insert_at = i_found;
        return i_found;
    }

protected:
    int CompareElements(const T& a, const T& b) const
    {
        if (pCompare)
            return pCompare(&a, &b);
        if constexpr (requires(const T& x, const T& y) {
                          { x < y } -> std::convertible_to<bool>;
                          { x == y } -> std::convertible_to<bool>;
                      }) {
            if (a < b)
                return -1;
            if (a == b)
                return 0;
            return 1;
        } else {
            if (__ZelAssertOn)
                __ZelAssert("pCompare != NULL", __FILE_NAME__, __LINE__,
                    "the element type has no order of its own; give the array a compare function");
            return 0;
        }
    }

    CompareFunc pCompare = nullptr;
};

// An array whose elements are kept in the order of its compare function (or
// of T's < when it has none); callers insert at the position Find gives.
template <class T>
class ZelSortedArray : public ZelArrayWithFind<T> {
public:
    using typename ZelArrayWithFind<T>::CompareFunc;
    explicit ZelSortedArray(CompareFunc p_compare = nullptr) : ZelArrayWithFind<T>(p_compare) {}
};

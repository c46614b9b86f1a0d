#pragma once

#include "grid/WinGeometry.h"

#include <QString>

class CPropertyGrid;
class QPainter;

// An item of a property grid that draws and edits its value itself (item type IT_CUSTOM). The
// owner of the grid implements it and keeps the object alive as long as the item exists; the
// grid never deletes it, and nothing is deleted through this interface. Rectangles and points
// are in the grid's client coordinates.
class ICustomItem
{
public:
    // How the value is edited: CPropertyGrid::EDIT_NONE (mouse events come here),
    // EDIT_INPLACE (the grid's in-place edit, GetEditText and OnItemEdited), EDIT_DROPDOWN
    // (ShowDropDown) or EDIT_MODAL (a "..." button that calls OnEdit).
    virtual int GetEditMode() = 0;
    // Paints the value into its rectangle; text starts at rect.left + the grid's text margin.
    // The painter's state is saved before and restored after the call.
    virtual void DrawItem(QPainter& painter, const CRect& rect, bool focused) = 0;
    // Called once when the item is added, after the grid has stored its own saved copies.
    virtual void SaveValue() {}
    // A button press over the grid while this item has the focus and edit mode EDIT_NONE; true
    // makes the grid send the following moves and the release here.
    virtual bool OnLButtonDown(const CRect& valueRect, CPoint point) { return false; }
    virtual void OnMouseMove(const CRect& valueRect, CPoint point) {}
    virtual void OnLButtonUp(const CRect& valueRect, CPoint point) {}
    // The text the in-place edit starts with.
    virtual QString GetEditText() { return {}; }
    // The in-place edit closed with this text; true when the value changed (the grid then tells
    // its owner).
    virtual bool OnItemEdited(const QString& text) { return false; }
    // Opens the item's own drop-down below the given value area.
    virtual void ShowDropDown(const CRect& valueArea) {}
    // Runs the item's own dialog; true when the value changed (the grid then tells its owner).
    virtual bool OnEdit() { return false; }

    // The grid the item was added to; set by CPropertyGrid::AddCustomItem.
    CPropertyGrid* m_pGrid = nullptr;

protected:
    ICustomItem() = default;
    ICustomItem(const ICustomItem&) = default;
    ICustomItem& operator=(const ICustomItem&) = default;
    ~ICustomItem() = default;
};

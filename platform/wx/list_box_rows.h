#pragma once
// Long list boxes: the toolkit measures every row of a list when it is
// filled or first shown, unless it is told that all rows are one height;
// then only the rows in view are measured, and 10,000 rows fill at once.
class wxListBox;

// For list boxes without a horizontal scroll bar (whose one column is then
// as wide as the list).
void UseRowsOfOneHeight(wxListBox& list);

#pragma once
// What the window host's list boxes take from GTK itself, below the toolkit.
class wxListBox;

// The toolkit measures every row of a list when it is filled or first shown,
// unless it is told that all rows are one height; then only the rows in view
// are measured, and 10,000 rows fill at once. For list boxes without a
// horizontal scroll bar (whose one column is then as wide as the list).
void UseRowsOfOneHeight(wxListBox& list);

// Whether the toolkit is handling a key press now: a list box reports Enter
// as a double-click, which the program must take as Enter (the window's
// default button, as on the platform it was made for).
bool IsHandlingKeyPress();

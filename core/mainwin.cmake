# More of the main window.

# dialogs tests

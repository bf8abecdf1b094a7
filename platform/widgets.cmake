# widgets

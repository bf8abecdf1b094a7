# toolbar

# toolbar tests

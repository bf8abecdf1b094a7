# images tests

# tiles tests

# widgets tests

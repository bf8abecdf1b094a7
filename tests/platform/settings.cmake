# settings tests

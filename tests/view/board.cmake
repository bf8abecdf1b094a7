# board tests

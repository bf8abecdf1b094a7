# board

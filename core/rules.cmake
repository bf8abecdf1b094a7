# The rules of play (no Qt).

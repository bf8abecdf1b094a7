# help

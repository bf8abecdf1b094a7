# settings

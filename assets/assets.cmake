# assets

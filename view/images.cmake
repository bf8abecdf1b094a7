# images

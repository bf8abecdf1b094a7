# app

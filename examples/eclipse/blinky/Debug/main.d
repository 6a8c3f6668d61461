Core/Src/main.o: ../Core/Src/main.c ../Core/Inc/main.h

/* Start-up of the STM32F407: the vector table's first entries and the reset
   handler, which calls main. */
    .syntax unified
    .thumb

    .section .isr_vector, "a"
    .word _estack
    .word Reset_Handler

    .text
    .thumb_func
    .global Reset_Handler
Reset_Handler:
    bl main
    b .

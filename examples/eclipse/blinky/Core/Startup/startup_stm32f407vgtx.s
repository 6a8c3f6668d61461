  .syntax unified
  .cpu cortex-m4
  .thumb

  .section .isr_vector,"a",%progbits
  .word _estack
  .word Reset_Handler

  .section .text.Reset_Handler
  .weak Reset_Handler
  .type Reset_Handler, %function
Reset_Handler:
  bl SystemInit
  bl main
  b .

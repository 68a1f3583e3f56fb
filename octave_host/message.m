## -*- texinfo -*-
## @deftypefn {} {@var{m} =} message (@var{id}, @var{arg1}, @dots{})
## The error that the Corvalent2 module raises, in the form Octave's @code{error}
## accepts: a struct whose @code{identifier} is @var{id} and whose @code{message} is
## the id followed by the arguments, text as it is and numbers in their shortest form,
## separated by commas.  @code{error (message ("A:b", "x", 4))} raises the error
## "A:b: x, 4" with the identifier "A:b".
## @end deftypefn
function m = message (id, varargin)
  if (nargin < 1 || ! ischar (id))
    error ("Corvalent2:message:badId", "message: the first argument is the id, as text");
  endif
  text = id;
  if (! isempty (varargin))
    text = [id ": " strjoin(cellfun (@argument_text, varargin, "UniformOutput", false), ", ")];
  endif
  m = struct ("message", text, "identifier", id);
endfunction

function text = argument_text (argument)
  if (ischar (argument))
    text = argument;
  else
    text = num2str (argument);
  endif
endfunction
